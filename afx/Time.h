// CTime: a calendar instant in whole seconds since 1970-01-01 00:00 UTC,
// converted to and from the user's local time for display in controls.
#pragma once
#include <windows.h>

#include <cstdint>

#include "afx/local_time.h"

#undef GetCurrentTime  // winbase.h maps it to GetTickCount

class CTime {
public:
    CTime() = default;
    explicit CTime(int64_t seconds) : m_time(seconds) {}
    // From a local date and time, as a date-time picker reports it; a reading
    // the clock skips stands for the change that skips it, a repeated one for
    // its first instant.
    explicit CTime(const SYSTEMTIME& local);

    static CTime GetCurrentTime();
    // The system clock in milliseconds since 1970.
    static int64_t GetCurrentTimeMs();
    int64_t GetTime() const { return m_time; }
    // To a local date and time, as a date-time picker takes it.
    bool GetAsSystemTime(SYSTEMTIME& local) const;

    CTime operator+(int64_t seconds) const { return CTime(m_time + seconds); }

private:
    int64_t m_time = 0;
};

// A SYSTEMTIME as a reading of the calendar, field by field.
afx::CivilTime CivilFromSystemTime(const SYSTEMTIME& st);

// The user's time zone as the system describes it now: its offset from UTC
// at any instant. Taken afresh on each call, so that a change of zone counts.
afx::UtcOffsetFn LocalZoneOffset();
