// CTime: a calendar instant in whole seconds since 1970-01-01 00:00 UTC,
// converted to and from the user's local time for display in controls.
#pragma once
#include <windows.h>

#include <cstdint>

#undef GetCurrentTime  // winbase.h maps it to GetTickCount

class CTime {
public:
    CTime() = default;
    explicit CTime(int64_t seconds) : m_time(seconds) {}
    // From a local date and time, as a date-time picker reports it.
    explicit CTime(const SYSTEMTIME& local);

    static CTime GetCurrentTime();
    int64_t GetTime() const { return m_time; }
    // To a local date and time, as a date-time picker takes it.
    bool GetAsSystemTime(SYSTEMTIME& local) const;

    CTime operator+(int64_t seconds) const { return CTime(m_time + seconds); }
    int64_t operator-(const CTime& other) const { return m_time - other.m_time; }
    bool operator<=(const CTime& other) const { return m_time <= other.m_time; }

private:
    int64_t m_time = 0;
};
