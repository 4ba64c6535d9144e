// A timer that wakes a sleeping machine at an instant of the wall clock, so
// that the end of a countdown comes even when the machine slept through it.
// Windows wakes for it only where the power plan allows wake timers.
#pragma once
#include <windows.h>

#include "afx/OwnedHandle.h"

#include <cstdint>

class CWakeTimer {
public:
    // Aims the timer at `wallMs`, milliseconds since 1970 UTC, replacing any
    // instant set before; the timer is created on the first call. TRUE once
    // set, also where the system cannot wake for it (it then sets a last
    // error: ERROR_NOT_SUPPORTED, or 722 under Wine) and the timer is kept
    // all the same. FALSE where there are no waitable timers (Windows 95) or
    // the system refused, with its error in GetLastError; an instant set
    // before then stays.
    BOOL Set(int64_t wallMs);
    // Forgets the instant; the timer itself stays for the next Set. FALSE
    // when none was set.
    BOOL Cancel();
    bool IsSet() const { return m_set; }

private:
    COwnedHandle<HANDLE, ::CloseHandle> m_timer;  // closed with its owner
    bool m_set = false;
};
