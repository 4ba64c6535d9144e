// PressEnter <caption> <timeout ms>
//   Waits for a visible top-level window with this caption, brings it to the
//   foreground and presses the Enter key on the keyboard (SendInput), as a
//   user in front of it would. Prints "pressed" and exits 0, or exits 1 when
//   no such window shows in time. Used by real_shutdown_test.sh.
#include "tests/helpers/VisibleWindow.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: PressEnter <caption> <timeout ms>\n");
        return 2;
    }
    const HWND window = WaitForVisibleWindow(argv[1], static_cast<DWORD>(atol(argv[2])));
    if (!window)
        return 1;
    // Let the dialog finish its start (focus on its first control) first.
    Sleep(300);
    SetForegroundWindow(window);
    for (int i = 0; i < 100 && GetForegroundWindow() != window; ++i)
        Sleep(10);
    INPUT keys[2] = {};
    keys[0].type = keys[1].type = INPUT_KEYBOARD;
    keys[0].ki.wVk = keys[1].ki.wVk = VK_RETURN;
    keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
    if (SendInput(2, keys, sizeof(INPUT)) != 2) {
        fprintf(stderr, "SendInput failed: error %lu\n", GetLastError());
        return 1;
    }
    printf("pressed\n");
    fflush(stdout);
    return 0;
}
