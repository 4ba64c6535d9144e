// The system calls that end the session or change the power state, and the
// privilege they need. The shipped program makes them for real
// (PowerRequests.cpp); the test build links a recorder in their place, so
// end-to-end tests can see each request and make any of them fail.
// On failure each returns FALSE with the system's error code in GetLastError.
#pragma once
#include <windows.h>

#include "schedule/power_capabilities.h"

BOOL EnableShutdownPrivilege();  // enabled in the process token, and left so
BOOL RequestExitWindows(UINT flags, DWORD reason);
BOOL RequestSystemPowerState(BOOL suspend, BOOL force);  // looked up in kernel32 at run time
BOOL RequestLockWorkStation();                           // looked up in user32 at run time
// What the machine reports of its sleeping states; FALSE when it cannot say
// (no powrprof.dll, as on Windows 95 and NT 4.0, or the call failed).
BOOL QueryPowerCapabilities(quellix::PowerCapabilities* capabilities);
// The system's own answer (powrprof's GetPwrCapabilities), for both builds.
BOOL ReadSystemPowerCapabilities(quellix::PowerCapabilities* capabilities);
