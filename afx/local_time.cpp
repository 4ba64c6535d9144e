#include "afx/local_time.h"

namespace afx {

int64_t FloorDiv(int64_t a, int64_t b)
{
    const int64_t q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

namespace {
bool IsLeapYear(int64_t y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

int DaysInMonth(int year, int month)
{
    static const int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// 1970-01-01 was a Thursday.
int DayOfWeek(int64_t days) { return static_cast<int>(days + 4 - FloorDiv(days + 4, 7) * 7); }

bool IsChange(const ZoneChange& c) { return c.month >= 1 && c.month <= 12 && c.day >= 1 && c.day <= 31; }

// The local reading at which `change` happens in `year`.
int64_t ChangeInYear(const ZoneChange& change, int year)
{
    int day = change.day;
    if (change.year == 0) {
        const int64_t first = DaysFromCivil(year, change.month, 1);
        const int firstMatch = 1 + (change.dayOfWeek - DayOfWeek(first) + 7) % 7;
        day = firstMatch + 7 * (change.day - 1);
        while (day > DaysInMonth(year, change.month))
            day -= 7;  // occurrence 5: the last one of the month
    }
    return DaysFromCivil(year, change.month, day) * kSecondsPerDay + change.hour * 3600 + change.minute * 60 +
           change.second;
}
}  // namespace

// After Howard Hinnant's days_from_civil: eras of 400 years from March 1st.
int64_t DaysFromCivil(int year, int month, int day)
{
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

int64_t SecondsFromCivil(const CivilTime& t)
{
    return DaysFromCivil(t.year, t.month, t.day) * kSecondsPerDay + t.hour * 3600 + t.minute * 60 + t.second;
}

CivilTime CivilFromSeconds(int64_t seconds)
{
    const int64_t days = FloorDiv(seconds, kSecondsPerDay);
    const int64_t rest = seconds - days * kSecondsPerDay;
    const int64_t z = days + 719468;
    const int64_t era = FloorDiv(z, 146097);
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    CivilTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2 ? 1 : 0));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    t.dayOfWeek = DayOfWeek(days);
    return t;
}

int64_t UtcOffsetAt(const ZoneRules& zone, int64_t utcSeconds)
{
    const int64_t standardOffset = -60 * static_cast<int64_t>(zone.bias + zone.standardBias);
    const int64_t daylightOffset = -60 * static_cast<int64_t>(zone.bias + zone.daylightBias);
    if (!IsChange(zone.standardDate) || !IsChange(zone.daylightDate))
        return standardOffset;
    const int year = CivilFromSeconds(utcSeconds + standardOffset).year;
    // Daylight saving starts at a reading of standard time and ends at one of daylight time.
    const int64_t start = ChangeInYear(zone.daylightDate, year) - standardOffset;
    const int64_t end = ChangeInYear(zone.standardDate, year) - daylightOffset;
    const bool daylight = start < end ? (utcSeconds >= start && utcSeconds < end)   // northern summer
                                      : (utcSeconds >= start || utcSeconds < end);  // southern summer
    return daylight ? daylightOffset : standardOffset;
}

LocalInstants UtcFromLocal(int64_t localSeconds, const UtcOffsetFn& offsetAt)
{
    // Changes lie months apart: a day either side sees the offsets before and after one.
    const int64_t before = offsetAt(localSeconds - kSecondsPerDay);
    const int64_t after = offsetAt(localSeconds + kSecondsPerDay);
    const int64_t early = localSeconds - (before > after ? before : after);
    const int64_t late = localSeconds - (before > after ? after : before);
    const bool earlyShows = early + offsetAt(early) == localSeconds;
    const bool lateShows = late + offsetAt(late) == localSeconds;
    if (earlyShows || lateShows)
        return {earlyShows ? early : late, lateShows ? late : early};
    // Skipped: the change lies in (early, late]; find its instant.
    int64_t lo = early;
    int64_t hi = late;
    const int64_t beforeChange = offsetAt(lo);
    while (hi - lo > 1) {
        const int64_t mid = lo + (hi - lo) / 2;
        if (offsetAt(mid) == beforeChange)
            lo = mid;
        else
            hi = mid;
    }
    return {hi, hi};
}

}  // namespace afx
