// The three system requests that end the session or change the power state.
// The shipped program makes them for real (PowerRequests.cpp); the test build
// links a recorder in their place, so end-to-end tests can see each request.
#pragma once
#include <windows.h>

BOOL RequestExitWindows(UINT flags);  // ExitWindowsEx(flags, 0)
BOOL RequestSystemPowerState(BOOL suspend, BOOL force);
BOOL RequestLockWorkStation();  // looked up in user32 at run time
