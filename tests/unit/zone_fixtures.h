// Readings of the calendar and time zones, as the tests of local time and of
// countdowns to a time of day write them.
#pragma once

#include "afx/local_time.h"

namespace zone_fixtures {

inline afx::CivilTime Reading(int year, int month, int day, int hour, int minute, int second = 0)
{
    afx::CivilTime t;
    t.year = year;
    t.month = month;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    t.second = second;
    return t;
}

// The instant, in seconds since 1970, at which a UTC clock shows this reading.
inline int64_t Utc(int year, int month, int day, int hour, int minute, int second = 0)
{
    return afx::SecondsFromCivil(Reading(year, month, day, hour, minute, second));
}

// The change on Sunday number `occurrence` (5: the last) of `month` at `hour`.
inline afx::ZoneChange OnSunday(int month, int occurrence, int hour)
{
    afx::ZoneChange c;
    c.month = month;
    c.dayOfWeek = 0;  // Sunday
    c.day = occurrence;
    c.hour = hour;
    return c;
}

// The zones as GetTimeZoneInformation describes them. In New York in 2026 the
// clocks go forward on 8 March at 02:00 and back on 1 November at 02:00.
inline afx::ZoneRules NewYork()
{
    afx::ZoneRules z;
    z.bias = 300;
    z.daylightBias = -60;
    z.daylightDate = OnSunday(3, 2, 2);
    z.standardDate = OnSunday(11, 1, 2);
    return z;
}

inline afx::ZoneRules Berlin()
{
    afx::ZoneRules z;
    z.bias = -60;
    z.daylightBias = -60;
    z.daylightDate = OnSunday(3, 5, 2);
    z.standardDate = OnSunday(10, 5, 3);
    return z;
}

inline afx::ZoneRules Sydney()
{
    afx::ZoneRules z;
    z.bias = -600;
    z.daylightBias = -60;
    z.daylightDate = OnSunday(10, 1, 2);
    z.standardDate = OnSunday(4, 1, 3);
    return z;
}

inline afx::UtcOffsetFn Offsets(const afx::ZoneRules& zone)
{
    return [zone](int64_t utc) { return afx::UtcOffsetAt(zone, utc); };
}

}  // namespace zone_fixtures
