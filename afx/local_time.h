// Local time without the system's help: calendar arithmetic, and a time
// zone's offset from the rules Windows gives for it (GetTimeZoneInformation,
// present on every version), so that the program needs none of the local-time
// conversions that old systems lack.
#pragma once

#include <cstdint>
#include <functional>

namespace afx {

constexpr int64_t kSecondsPerDay = 86400;

// a / b rounded toward minus infinity (b not 0): days and weeks before 1970 count down.
int64_t FloorDiv(int64_t a, int64_t b);

// A wall-clock reading of the proleptic Gregorian calendar; dayOfWeek 0 is Sunday.
struct CivilTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int dayOfWeek = 4;
};

// Days from 1970-01-01 to a date; month 1 to 12.
int64_t DaysFromCivil(int year, int month, int day);
// Seconds since 1970-01-01 00:00 of a reading (dayOfWeek is not looked at), and back.
int64_t SecondsFromCivil(const CivilTime& t);
CivilTime CivilFromSeconds(int64_t seconds);

// One yearly change of a zone's offset, as TIME_ZONE_INFORMATION gives it:
// with year 0, occurrence `day` (1 to 4, 5 the last) of `dayOfWeek` in
// `month`; with a year, day `day` of `month`. The time is that of the local
// clock just before the change. Month 0: the zone has no such change.
struct ZoneChange {
    int year = 0;
    int month = 0;
    int dayOfWeek = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// Biases in minutes: UTC = local time + bias + standardBias (or daylightBias
// while daylight saving time is in force, from daylightDate to standardDate).
struct ZoneRules {
    int bias = 0;
    int standardBias = 0;
    int daylightBias = 0;
    ZoneChange standardDate;
    ZoneChange daylightDate;
};

// Seconds to add to a UTC instant (seconds since 1970) for the local reading.
using UtcOffsetFn = std::function<int64_t(int64_t utcSeconds)>;

int64_t UtcOffsetAt(const ZoneRules& zone, int64_t utcSeconds);

// The UTC instants at which the local clock shows `localSeconds` (seconds
// since 1970 of the local calendar). Usually one (first == last); in the hour
// repeated when the clock goes back, two; in the hour skipped when it goes
// forward, none, and both are the change itself: the first instant after the
// reading that exists.
struct LocalInstants {
    int64_t first;
    int64_t last;
};
LocalInstants UtcFromLocal(int64_t localSeconds, const UtcOffsetFn& offsetAt);

}  // namespace afx
