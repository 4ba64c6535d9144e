// The real power requests of the shipped program.
#include "schedule/PowerRequests.h"

#include "afx/SystemFunctions.h"

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

// Looked up at run time: NT 4.0 has no SetSystemPowerState, NT 4.0 and 9x no
// LockWorkStation. Where missing, the request is refused like any other.
BOOL RequestSystemPowerState(BOOL suspend, BOOL force) { return afx::SetSystemPowerState(suspend, force); }

BOOL RequestLockWorkStation() { return afx::LockWorkStation(); }

BOOL QueryPowerCapabilities(quellix::PowerCapabilities* capabilities)
{
    return ReadSystemPowerCapabilities(capabilities);
}
