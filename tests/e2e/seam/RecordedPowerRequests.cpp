// The test build's power requests: each one is written as a line to the file
// named by QUELLIX_REQUEST_LOG instead of being made, and succeeds. Setting
// QUELLIX_REQUEST_FAIL to a request's name and an error code ("ExitWindowsEx 5",
// "SetSystemPowerState 50", "LockWorkStation 127", or "SeShutdownPrivilege 1300"
// for the privilege step) makes that one fail with that code; a failing
// request is still written, the privilege step never is.
// QUELLIX_POWER_CAPABILITIES stands in for the system's power capabilities:
// the states the machine is to have ("S1 S3", "S4 HiberFile", "" for none),
// or "unknown" for a system that cannot say; unset, the system is asked.
#include "schedule/PowerRequests.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static void Record(const char* line)
{
    char path[MAX_PATH];
    const DWORD length = GetEnvironmentVariableA("QUELLIX_REQUEST_LOG", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    HANDLE file = CreateFileA(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, line, static_cast<DWORD>(lstrlenA(line)), &written, NULL);
        WriteFile(file, "\n", 1, &written, NULL);
        CloseHandle(file);
    }
}

// The result of the call `name`: TRUE, or FALSE with the chosen error code.
static BOOL Outcome(const char* name)
{
    char choice[64];
    const DWORD length = GetEnvironmentVariableA("QUELLIX_REQUEST_FAIL", choice, sizeof choice);
    const size_t nameLength = strlen(name);
    if (length == 0 || length >= sizeof choice || strncmp(choice, name, nameLength) != 0 || choice[nameLength] != ' ')
        return TRUE;
    SetLastError(strtoul(choice + nameLength + 1, NULL, 10));
    return FALSE;
}

BOOL EnableShutdownPrivilege() { return Outcome("SeShutdownPrivilege"); }

BOOL RequestExitWindows(UINT flags, DWORD)
{
    char line[64];
    snprintf(line, sizeof line, "ExitWindowsEx %u", flags);
    Record(line);
    return Outcome("ExitWindowsEx");
}

BOOL RequestSystemPowerState(BOOL suspend, BOOL force)
{
    char line[64];
    snprintf(line, sizeof line, "SetSystemPowerState suspend=%d force=%d", suspend, force);
    Record(line);
    return Outcome("SetSystemPowerState");
}

BOOL RequestLockWorkStation()
{
    Record("LockWorkStation");
    return Outcome("LockWorkStation");
}

BOOL QueryPowerCapabilities(quellix::PowerCapabilities* capabilities)
{
    char chosen[128];
    SetLastError(0);
    const DWORD length = GetEnvironmentVariableA("QUELLIX_POWER_CAPABILITIES", chosen, sizeof chosen);
    if (length == 0 && GetLastError() == ERROR_ENVVAR_NOT_FOUND)
        return ReadSystemPowerCapabilities(capabilities);
    if (length >= sizeof chosen || strcmp(chosen, "unknown") == 0)
        return FALSE;
    *capabilities = quellix::PowerCapabilities();
    for (char* word = strtok(chosen, " "); word; word = strtok(NULL, " ")) {
        capabilities->s1 |= strcmp(word, "S1") == 0;
        capabilities->s2 |= strcmp(word, "S2") == 0;
        capabilities->s3 |= strcmp(word, "S3") == 0;
        capabilities->s4 |= strcmp(word, "S4") == 0;
        capabilities->hiberFilePresent |= strcmp(word, "HiberFile") == 0;
    }
    return TRUE;
}
