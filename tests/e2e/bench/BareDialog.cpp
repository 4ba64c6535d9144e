// The smallest dialog program built the way Quellix is built (same compiler,
// static run-time, common controls 6.0 manifest): the yardstick that
// tools/bench-startup.sh compares Quellix's start-up time and memory with.
// Built a second time with Quellix's resources (QX_QUELLIX_TEMPLATE) as
// TemplateDialog.exe, it shows Quellix's dialog template: what the template's
// controls alone cost.
#include <windows.h>
#include <commctrl.h>

#ifdef QX_QUELLIX_TEMPLATE
#include "res/resource.h"
const int kDialogTemplate = IDD_QUELLIX_DIALOG;
#else
const int kDialogTemplate = 100;
#endif

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
    DialogBoxParamA(instance, MAKEINTRESOURCEA(kDialogTemplate), NULL, DialogProc, 0);
    return 0;
}
