// The wall clock, as the tests and the timer benchmark read it to set the
// time picker and to time an expiry.
#pragma once
#include <windows.h>

#include <cstdint>

namespace e2e {

// Wall clock, milliseconds since 1601-01-01 UTC (the unit of FILETIME / 10000).
int64_t WallClockMs();
// The local time of day and date of a wall-clock instant, as a picker takes it.
SYSTEMTIME LocalTimeAt(int64_t wallMs);

// A FILETIME in milliseconds since 1601, and back.
int64_t MsFromFileTime(const FILETIME& time);
FILETIME FileTimeFromMs(int64_t ms);

}  // namespace e2e
