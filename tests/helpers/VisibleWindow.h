// Waiting for a program's window, for the small helper programs that the
// shell tests run under Wine (tests/package, tests/e2e/shutdown).
#pragma once
#include <windows.h>

// The visible top-level window with this caption once it shows; NULL, after
// saying so on standard error, when none shows within `timeoutMs`.
HWND WaitForVisibleWindow(const char* caption, DWORD timeoutMs);
