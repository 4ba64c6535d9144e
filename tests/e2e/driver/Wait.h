// Polling with a time-out: every wait of the end-to-end tests goes through here,
// so a hung program fails a test instead of hanging the run.
#pragma once
#include <windows.h>

namespace e2e {

// Default time-outs, in milliseconds. Generous: under Wine on a loaded
// 2-core machine a cold program start can take a few seconds.
constexpr DWORD kStartTimeout = 15000;
constexpr DWORD kActionTimeout = 5000;

// Calls `condition` every `pollMs` until it returns true (then true) or until
// `timeoutMs` have passed (then one last call decides).
template <typename Condition> bool WaitUntil(Condition condition, DWORD timeoutMs = kActionTimeout, DWORD pollMs = 10)
{
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < timeoutMs) {
        if (condition())
            return true;
        Sleep(pollMs);
    }
    return condition();
}

// For `ms` milliseconds, handles the messages of this test program's own
// windows and calls `look` between them.
template <typename Look> void PumpFor(DWORD ms, Look look)
{
    const DWORD start = GetTickCount();
    do {
        MSG message;
        while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        look();
        Sleep(5);
    } while (GetTickCount() - start < ms);
}

}  // namespace e2e
