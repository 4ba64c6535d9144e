// WaitForWindow <caption> <timeout ms>
//   Waits for a visible top-level window with this caption. Prints "shown" and
//   exits 0, or exits 1 when none shows in time. Used by installer_test.sh.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: WaitForWindow <caption> <timeout ms>\n");
        return 2;
    }
    const DWORD timeout = static_cast<DWORD>(atol(argv[2]));
    const DWORD start = GetTickCount();
    HWND window = NULL;
    while (!(window = FindWindowA(NULL, argv[1])) || !IsWindowVisible(window)) {
        if (GetTickCount() - start > timeout) {
            fprintf(stderr, "no visible window \"%s\" within %lu ms\n", argv[1], timeout);
            return 1;
        }
        Sleep(20);
    }
    printf("shown\n");
    return 0;
}
