// The smallest dialog program built the way Quellix is built (same compiler,
// static run-time, common controls 6.0 manifest): the yardstick that
// tools/bench-startup.sh compares Quellix's start-up time and memory with.
#include <windows.h>
#include <commctrl.h>

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
    DialogBoxParamA(instance, MAKEINTRESOURCEA(100), NULL, DialogProc, 0);
    return 0;
}
