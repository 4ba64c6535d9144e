// The real power requests of the shipped program.
#include "schedule/PowerRequests.h"

BOOL EnableShutdownPrivilege()
{
    HANDLE hToken = NULL;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken))
        return FALSE;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    const BOOL adjusted = ::LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
                          ::AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, NULL, NULL);
    // Without the right the adjustment still succeeds and says so only here
    // (ERROR_NOT_ALL_ASSIGNED).
    const DWORD error = ::GetLastError();
    ::CloseHandle(hToken);
    ::SetLastError(error);
    return adjusted && error == ERROR_SUCCESS;
}

BOOL RequestExitWindows(UINT flags, DWORD reason) { return ExitWindowsEx(flags, reason); }

BOOL RequestSystemPowerState(BOOL suspend, BOOL force)
{
    // Windows NT 4.0 has no SetSystemPowerState (95 and 2000 have): look it up;
    // where it is missing, stand-by and hibernate are refused like any other.
    typedef BOOL(WINAPI * PowerFn)(BOOL, BOOL);
    HMODULE kernel32 = GetModuleHandleA("kernel32");
    PowerFn power = kernel32 ? reinterpret_cast<PowerFn>(GetProcAddress(kernel32, "SetSystemPowerState")) : NULL;
    if (!power) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return power(suspend, force);
}

BOOL RequestLockWorkStation()
{
    // Not present on every system the program runs on: look it up, do not load user32 here.
    typedef BOOL(WINAPI * LockFn)();
    HMODULE user32 = GetModuleHandleA("user32");
    LockFn lock = user32 ? reinterpret_cast<LockFn>(GetProcAddress(user32, "LockWorkStation")) : NULL;
    if (!lock) {
        SetLastError(ERROR_PROC_NOT_FOUND);
        return FALSE;
    }
    return lock();
}
