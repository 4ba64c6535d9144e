// Quellix's own resources (dialog template, pictures, manifest) shown by the
// bare dialog's code: the floor under Quellix's start-up that its controls
// alone set, which tools/bench-startup.sh reports beside the two programs.
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"

static INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_INITDIALOG)
        return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    InitCommonControls();
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_QUELLIX_DIALOG), NULL, DialogProc, 0);
    return 0;
}
