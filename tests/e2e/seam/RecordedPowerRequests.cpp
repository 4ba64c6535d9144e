// The test build's power requests: each one is written as a line to the file
// named by QUELLIX_REQUEST_LOG instead of being made, and the call returns
// what the system calls return under Wine (ExitWindowsEx and
// SetSystemPowerState succeed; LockWorkStation is not implemented there).
// Without the variable nothing is written and every request succeeds.
#include "schedule/PowerRequests.h"

#include <stdio.h>

static bool Record(const char* line)
{
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("QUELLIX_REQUEST_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return false;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, NULL);
        WriteFile(file, "\n", 1, &written, NULL);
        CloseHandle(file);
    }
    return true;
}

BOOL RequestExitWindows(UINT flags)
{
    char line[64];
    snprintf(line, sizeof line, "ExitWindowsEx %u", flags);
    Record(line);
    return TRUE;
}

BOOL RequestSystemPowerState(BOOL suspend, BOOL force)
{
    char line[64];
    snprintf(line, sizeof line, "SetSystemPowerState suspend=%d force=%d", suspend, force);
    Record(line);
    return TRUE;
}

BOOL RequestLockWorkStation()
{
    if (!Record("LockWorkStation"))
        return TRUE;
    SetLastError(ERROR_CALL_NOT_IMPLEMENTED);
    return FALSE;
}
