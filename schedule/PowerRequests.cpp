// The real power requests of the shipped program.
#include "schedule/PowerRequests.h"

BOOL RequestExitWindows(UINT flags) { return ExitWindowsEx(flags, 0); }

BOOL RequestSystemPowerState(BOOL suspend, BOOL force) { return SetSystemPowerState(suspend, force); }

BOOL RequestLockWorkStation()
{
    // Not present on every system the program runs on: look it up, do not load user32 here.
    typedef BOOL(WINAPI * LockFn)();
    HMODULE user32 = GetModuleHandleA("user32");
    LockFn lock = user32 ? reinterpret_cast<LockFn>(GetProcAddress(user32, "LockWorkStation")) : NULL;
    return lock ? lock() : FALSE;
}
