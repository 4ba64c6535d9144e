#include "tests/helpers/VisibleWindow.h"

#include <cstdio>

HWND WaitForVisibleWindow(const char* caption, DWORD timeoutMs)
{
    const DWORD start = GetTickCount();
    HWND window = NULL;
    while (!(window = FindWindowA(NULL, caption)) || !IsWindowVisible(window)) {
        if (GetTickCount() - start > timeoutMs) {
            fprintf(stderr, "no visible window \"%s\" within %lu ms\n", caption, timeoutMs);
            return NULL;
        }
        Sleep(20);
    }
    return window;
}
