#include "afx/file_time.h"
#include "afx/local_time.h"
#include "tests/unit/zone_fixtures.h"

#include <gtest/gtest.h>

namespace afx {
namespace {

using namespace zone_fixtures;

TEST(Calendar, KnownDatesAndTheWayBack)
{
    EXPECT_EQ(Utc(1970, 1, 1, 0, 0), 0);
    EXPECT_EQ(Utc(2026, 3, 8, 0, 0), 1772928000);
    EXPECT_EQ(Utc(1969, 12, 31, 23, 59, 59), -1);
    EXPECT_EQ(DaysFromCivil(2000, 3, 1) - DaysFromCivil(2000, 2, 28), 2);  // 2000 is a leap year
    EXPECT_EQ(DaysFromCivil(2100, 3, 1) - DaysFromCivil(2100, 2, 28), 1);  // 2100 is not
    EXPECT_EQ(CivilFromSeconds(0).dayOfWeek, 4);                           // a Thursday
    EXPECT_EQ(CivilFromSeconds(Utc(2026, 12, 7, 13, 0)).dayOfWeek, 1);     // a Monday
    EXPECT_EQ(CivilFromSeconds(-1).dayOfWeek, 3);
    // Every day from 1601 to 2400 comes back as it went in.
    for (int64_t day = DaysFromCivil(1601, 1, 1); day <= DaysFromCivil(2400, 12, 31); day += 7) {
        const int64_t s = day * kSecondsPerDay + 3723;
        const CivilTime t = CivilFromSeconds(s);
        ASSERT_EQ(SecondsFromCivil(t), s) << t.year << "-" << t.month << "-" << t.day;
        ASSERT_EQ(t.hour * 3600 + t.minute * 60 + t.second, 3723);
    }
}

TEST(Calendar, FileTimeCountsFrom1601)
{
    EXPECT_EQ(MsSince1970(0), -kFileTimeEpochMs);
    EXPECT_EQ(MsSince1970(116444736000000000ULL), 0);
    EXPECT_EQ(MsSince1970(116444736000000000ULL + 17'729'280'000'009'999ULL), 1'772'928'000'000);
    EXPECT_EQ(kFileTimeEpochMs, -DaysFromCivil(1601, 1, 1) * kSecondsPerDay * 1000);
    // And back, as an absolute due time: always positive, never wrapped.
    EXPECT_EQ(FileTimeTicksFromMs(0), 116444736000000000LL);
    EXPECT_EQ(MsSince1970(static_cast<uint64_t>(FileTimeTicksFromMs(1'772'928'000'123))), 1'772'928'000'123);
    EXPECT_EQ(FileTimeTicksFromMs(-kFileTimeEpochMs + 1), 10'000);
    for (int64_t early : {-kFileTimeEpochMs, -kFileTimeEpochMs - 1, INT64_MIN})
        EXPECT_EQ(FileTimeTicksFromMs(early), 1) << early;
    EXPECT_EQ(FileTimeTicksFromMs(INT64_MAX), INT64_MAX);
    EXPECT_GT(FileTimeTicksFromMs(INT64_MAX / kFileTimeTicksPerMs - kFileTimeEpochMs), 0);
}

TEST(ZoneOffset, ChangesComeOnTheRightSundayAndHour)
{
    struct Case {
        const char* zone;
        ZoneRules rules;
        int64_t change;  // UTC
        int before;      // offsets in minutes
        int after;
    };
    const Case cases[] = {
        {"New York, spring", NewYork(), Utc(2026, 3, 8, 7, 0), -300, -240},
        {"New York, autumn", NewYork(), Utc(2026, 11, 1, 6, 0), -240, -300},
        {"Berlin, spring", Berlin(), Utc(2026, 3, 29, 1, 0), 60, 120},
        {"Berlin, autumn", Berlin(), Utc(2026, 10, 25, 1, 0), 120, 60},
        {"Berlin, 2027 spring", Berlin(), Utc(2027, 3, 28, 1, 0), 60, 120},
        {"Sydney, autumn", Sydney(), Utc(2026, 4, 4, 16, 0), 660, 600},
        {"Sydney, spring", Sydney(), Utc(2026, 10, 3, 16, 0), 600, 660},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(UtcOffsetAt(c.rules, c.change - 1), c.before * 60) << c.zone;
        EXPECT_EQ(UtcOffsetAt(c.rules, c.change), c.after * 60) << c.zone;
    }
    // Midsummer and midwinter, both hemispheres.
    EXPECT_EQ(UtcOffsetAt(NewYork(), Utc(2026, 7, 1, 12, 0)), -240 * 60);
    EXPECT_EQ(UtcOffsetAt(NewYork(), Utc(2026, 1, 1, 3, 0)), -300 * 60);
    EXPECT_EQ(UtcOffsetAt(Sydney(), Utc(2026, 1, 1, 3, 0)), 660 * 60);
    EXPECT_EQ(UtcOffsetAt(Sydney(), Utc(2026, 7, 1, 3, 0)), 600 * 60);
    // Without daylight saving, or with a rule that is no rule, only the bias counts.
    ZoneRules india;
    india.bias = -330;
    EXPECT_EQ(UtcOffsetAt(india, Utc(2026, 7, 1, 12, 0)), 330 * 60);
    ZoneRules broken = NewYork();
    broken.standardDate.day = 0;
    EXPECT_EQ(UtcOffsetAt(broken, Utc(2026, 7, 1, 12, 0)), -300 * 60);
}

TEST(ZoneOffset, LocalReadingsSkippedRepeatedAndPlain)
{
    const UtcOffsetFn ny = Offsets(NewYork());
    // A plain reading has one instant.
    LocalInstants noon = UtcFromLocal(Utc(2026, 7, 1, 12, 0), ny);
    EXPECT_EQ(noon.first, Utc(2026, 7, 1, 16, 0));
    EXPECT_EQ(noon.last, noon.first);
    // 01:30 on the autumn Sunday comes twice, an hour apart.
    LocalInstants repeated = UtcFromLocal(Utc(2026, 11, 1, 1, 30), ny);
    EXPECT_EQ(repeated.first, Utc(2026, 11, 1, 5, 30));
    EXPECT_EQ(repeated.last, Utc(2026, 11, 1, 6, 30));
    // 02:00 to 02:59 on the spring Sunday never come: they stand for the change, 03:00.
    for (int minute : {0, 30, 59}) {
        LocalInstants skipped = UtcFromLocal(Utc(2026, 3, 8, 2, minute), ny);
        EXPECT_EQ(skipped.first, Utc(2026, 3, 8, 7, 0)) << minute;
        EXPECT_EQ(skipped.last, skipped.first) << minute;
    }
    EXPECT_EQ(UtcFromLocal(Utc(2026, 3, 8, 3, 0), ny).first, Utc(2026, 3, 8, 7, 0));
    EXPECT_EQ(UtcFromLocal(Utc(2026, 3, 8, 1, 59, 59), ny).first, Utc(2026, 3, 8, 6, 59, 59));
    // The same in the southern hemisphere, where the spring change comes in October.
    const UtcOffsetFn sydney = Offsets(Sydney());
    EXPECT_EQ(UtcFromLocal(Utc(2026, 10, 4, 2, 30), sydney).first, Utc(2026, 10, 3, 16, 0));
    LocalInstants sydneyRepeated = UtcFromLocal(Utc(2026, 4, 5, 2, 30), sydney);
    EXPECT_EQ(sydneyRepeated.last - sydneyRepeated.first, 3600);
}

}  // namespace
}  // namespace afx
