#include "schedule/countdown_clock.h"
#include "schedule/remaining_text.h"
#include "tests/unit/zone_fixtures.h"

#include <algorithm>
#include <climits>

#include <gtest/gtest.h>

namespace quellix {
namespace {

constexpr int64_t kStart = 5'000'000;  // an arbitrary monotonic reading, ms

// Runs the dialog's tick handling against a clock that reads `at(k)` at tick k;
// returns the ticks at which the warning fired.
template <typename At> std::vector<int> Warnings(CountdownClock& c, int ticks, At at)
{
    std::vector<int> fired;
    for (int k = 1; k <= ticks; ++k)
        if (c.TakeWarning(c.RemainingAt(at(k))))
            fired.push_back(k);
    return fired;
}

TEST(CountdownClock, OnTimeTicksGiveTheDecrementTexts)
{
    CountdownClock c;
    c.Start(300, kStart);
    EXPECT_EQ(c.DeadlineMs(), kStart + 300'000);
    EXPECT_EQ(FormatRemaining(c.RemainingAt(kStart)), "5 min. and 0 sec.");
    // Ticks jitter by a few hundred ms either way but still read count - k.
    const int jitter[] = {0, 499, -499, 250, -120, 37};
    for (int k = 1; k <= 310; ++k)
        ASSERT_EQ(c.RemainingAt(kStart + 1000 * k + jitter[k % 6]), std::max(300 - k, 0)) << k;
    EXPECT_EQ(FormatRemaining(c.RemainingAt(kStart + 1000)), "4 min. and 59 sec.");
    // Halves round away from zero; past the deadline nothing is left.
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() - 1500), 2);
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() - 1499), 1);
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() - 499), 0);
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() + 1499), 0);
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() + 1500), 0);
}

TEST(CountdownClock, LateSkippedAndSleptTicksCatchUp)
{
    CountdownClock c;
    c.Start(600, kStart);
    EXPECT_EQ(c.RemainingAt(kStart + 1000 + 900), 598);  // one tick very late
    EXPECT_EQ(c.RemainingAt(kStart + 7000), 593);        // five ticks lost
    EXPECT_EQ(c.RemainingAt(kStart + 7 * 60'000), 180);  // the machine slept
    EXPECT_EQ(c.RemainingAt(kStart + 700'000), 0);       // woke after the deadline: never negative
    // Counts near the int limits neither overflow nor wrap.
    c.Start(INT_MAX, 0);
    EXPECT_EQ(c.RemainingAt(0), INT_MAX);
    c.Start(INT_MIN, 0);
    EXPECT_EQ(c.RemainingAt(0), 0);
    EXPECT_EQ(c.RemainingAt(INT64_MIN), INT_MAX);
}

TEST(CountdownClock, WarnsExactlyOncePassingThirtySeconds)
{
    auto onTime = [](int k) { return kStart + 1000 * k; };
    CountdownClock c;
    c.Start(60, kStart);
    EXPECT_EQ(Warnings(c, 70, onTime), std::vector<int>{30});
    c.Start(31, kStart);  // the first tick already warns
    EXPECT_EQ(Warnings(c, 40, onTime), std::vector<int>{1});
    for (int count : {30, 20, 1, -5}) {
        c.Start(count, kStart);
        EXPECT_TRUE(Warnings(c, 40, onTime).empty()) << count;
    }
    // A jump from 100 s straight to 5 s still warns, once.
    c.Start(100, kStart);
    EXPECT_TRUE(Warnings(c, 1, [](int) { return kStart; }).empty());
    EXPECT_EQ(Warnings(c, 5, [](int k) { return kStart + 95'000 + k; }), std::vector<int>{1});
    // A restart re-arms the warning.
    c.Start(45, kStart);
    EXPECT_EQ(Warnings(c, 20, onTime), std::vector<int>{15});
}

// The machine slept through the end; the first tick after resume comes
// before the expiry timer's message (or the other way round).
TEST(CountdownClock, AnEndPassedInSleepEndsOnceWithoutANegativeTimeOrWarning)
{
    constexpr int64_t kWall = 1'700'000'000'000;
    struct Case {
        const char* name;
        int count;
        int64_t wokeAfterMs;  // since the start, on the monotonic clock
        bool followsWall;
    } const cases[] = {
        {"after, woke 1 ms late", 60, 60'001, false},
        {"after, woke 10 min late", 60, 660'000, false},
        {"after, woke just inside the warning", 60, 31'000, false},
        {"at, woke 2 s late", 45, 47'000, true},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        CountdownClock c;
        c.Start(t.count, kStart);
        if (t.followsWall)
            c.FollowWallClock(kWall + t.count * 1000);
        // One on-time tick before the sleep.
        EXPECT_FALSE(c.TakeWarning(c.RemainingAt(kStart + 1000)));
        const int64_t woke = kStart + t.wokeAfterMs;
        const int64_t wallWoke = kWall + t.wokeAfterMs;
        c.Resync(woke, wallWoke);
        const bool ended = t.wokeAfterMs >= t.count * 1000;
        EXPECT_EQ(c.EndHasCome(woke, wallWoke), ended);
        EXPECT_GE(c.RemainingAt(woke), 0);
        // A tick that shows a time anyway warns only while time is left.
        EXPECT_EQ(c.TakeWarning(c.RemainingAt(woke)), !ended);
        EXPECT_FALSE(c.TakeWarning(0));
        // The tick and the expiry timer both try to end it: only one does.
        EXPECT_TRUE(c.TakeExpiry());
        EXPECT_FALSE(c.TakeExpiry());
        EXPECT_FALSE(c.TakeExpiry());
    }
    // The end comes exactly on the deadline; a new start arms the expiry again.
    CountdownClock c;
    c.Start(10, kStart);
    EXPECT_FALSE(c.EndHasCome(kStart + 9'999, 0));
    EXPECT_TRUE(c.EndHasCome(kStart + 10'000, 0));
    EXPECT_TRUE(c.TakeExpiry());
    c.Start(10, kStart);
    EXPECT_TRUE(c.TakeExpiry());
    // An armed warning whose tick finds the end already passed never fires later.
    c.Start(100, kStart);
    EXPECT_FALSE(c.TakeWarning(c.RemainingAt(kStart + 200'000)));
    EXPECT_FALSE(c.TakeWarning(5));
}

TEST(CountdownClock, AnAtTargetShortOfTheCountTicksOnItsWholeSeconds)
{
    CountdownClock c;
    // OK pressed 750 ms into a second, the target 10 whole seconds on.
    c.Start(10, kStart, 9250);
    EXPECT_EQ(c.DeadlineMs(), kStart + 9250);
    EXPECT_EQ(c.MsToNextWholeSecond(kStart), 250);
    // Ticks on those moments, a few ms late, read the seconds left rounded up.
    for (int k = 9; k >= 1; --k) {
        const int64_t tick = c.DeadlineMs() - 1000 * k + 7;
        EXPECT_EQ(c.RemainingAt(tick), k) << k;
        EXPECT_EQ(c.MsToNextWholeSecond(tick), 993) << k;
    }
    // A tick a little early waits for the next second instead of repeating this one.
    EXPECT_EQ(c.MsToNextWholeSecond(c.DeadlineMs() - 5030), 1030);
    // After a stall the next tick falls on a whole second again.
    EXPECT_EQ(c.MsToNextWholeSecond(c.DeadlineMs() - 3400), 400);
    // "after": whole seconds from the start, as before.
    c.Start(300, kStart);
    EXPECT_EQ(c.MsToNextWholeSecond(kStart), 1000);
    EXPECT_EQ(c.MsToNextWholeSecond(kStart + 1003), 997);
    // Past the deadline and for absurd readings the period stays in range.
    for (int64_t now : {c.DeadlineMs() + 1, c.DeadlineMs() + 123'456, INT64_MIN, INT64_MAX}) {
        EXPECT_GE(c.MsToNextWholeSecond(now), 51) << now;
        EXPECT_LE(c.MsToNextWholeSecond(now), 1050) << now;
    }
}

TEST(CountdownClock, AnAtTargetFollowsTheWallClock)
{
    constexpr int64_t kWall = 1'700'000'000'000;  // the wall clock at the start, ms
    CountdownClock c;
    c.Start(120, kStart, 119'400);
    EXPECT_FALSE(c.FollowsWallClock());
    c.Resync(kStart + 5000, kWall);  // without a wall target: no effect
    EXPECT_EQ(c.DeadlineMs(), kStart + 119'400);

    c.FollowWallClock(kWall + 119'400);
    EXPECT_TRUE(c.FollowsWallClock());
    // The expiry timer aims 1/512 short and comes back for the rest.
    EXPECT_EQ(c.ExpiryWaitMs(kWall), 119'400 - 119'400 / 512);
    EXPECT_EQ(c.ExpiryWaitMs(kWall + 119'000), 400);
    EXPECT_EQ(c.ExpiryWaitMs(kWall + 119'399), 1);
    EXPECT_EQ(c.ExpiryWaitMs(kWall + 119'400), 0);
    EXPECT_EQ(c.ExpiryWaitMs(kWall + 200'000), 0);
    // The monotonic clock ran 0.2 % slow: 60 s of it are 60.12 s of wall time;
    // the deadline moves 120 ms nearer and the ticks fall on wall seconds again.
    c.Resync(kStart + 60'000, kWall + 60'120);
    EXPECT_EQ(c.DeadlineMs(), kStart + 119'280);
    EXPECT_EQ(c.RemainingAt(kStart + 60'000), 59);
    EXPECT_EQ(c.MsToNextWholeSecond(kStart + 60'000), 280);
    // The wall clock set an hour back: an hour more to go.
    c.Resync(kStart + 61'000, kWall + 61'120 - 3'600'000);
    EXPECT_EQ(c.RemainingAt(kStart + 61'000), 3600 + 58);
    // A new start forgets the wall target.
    c.Start(60, kStart);
    EXPECT_FALSE(c.FollowsWallClock());
    EXPECT_EQ(c.DeadlineMs(), kStart + 60'000);
}

using namespace zone_fixtures;

// A time of day picked on a date of the picker's own, which does not count.
afx::CivilTime Picked(int hour, int minute, int second = 0) { return Reading(2001, 2, 3, hour, minute, second); }

TEST(AtTimeOfDay, DaylightSavingInBetweenDoesNotMoveIt)
{
    const afx::UtcOffsetFn ny = Offsets(NewYork());
    int64_t target = 0;
    // 08:00 picked at 20:00 on the evening before the spring change: 11 hours.
    EXPECT_EQ(CountFor(0, Picked(8, 0), Utc(2026, 3, 8, 1, 0), ny, 5, &target), 11 * 3600);
    EXPECT_EQ(target, Utc(2026, 3, 8, 12, 0));  // 08:00 EDT
    // And before the autumn change: 13 hours.
    EXPECT_EQ(CountFor(0, Picked(8, 0), Utc(2026, 11, 1, 0, 0), ny, 5, &target), 13 * 3600);
    EXPECT_EQ(target, Utc(2026, 11, 1, 13, 0));  // 08:00 EST
    // 20:00 picked at 20:00 on a plain day comes a whole day later; across a change 23 or 25 hours.
    EXPECT_EQ(CountFor(0, Picked(20, 0), Utc(2026, 7, 2, 0, 0), ny, 5, nullptr), 24 * 3600);
    EXPECT_EQ(CountFor(0, Picked(20, 0), Utc(2026, 3, 8, 1, 0), ny, 5, nullptr), 23 * 3600);
    EXPECT_EQ(CountFor(0, Picked(20, 0), Utc(2026, 11, 1, 0, 0), ny, 5, nullptr), 25 * 3600);
}

TEST(AtTimeOfDay, RepeatedAndSkippedHours)
{
    const afx::UtcOffsetFn ny = Offsets(NewYork());
    // 01:30 picked before the autumn change: its first occurrence, 01:30 EDT.
    EXPECT_EQ(NextLocalOccurrence(Picked(1, 30), Utc(2026, 11, 1, 4, 0), ny), Utc(2026, 11, 1, 5, 30));
    // Picked between the two: the clock shows it once more, in 45 minutes (01:30 EST).
    EXPECT_EQ(NextLocalOccurrence(Picked(1, 30), Utc(2026, 11, 1, 5, 45), ny), Utc(2026, 11, 1, 6, 30));
    // At 01:10 EST, 01:20 is ten minutes ahead, not a day.
    EXPECT_EQ(NextLocalOccurrence(Picked(1, 20), Utc(2026, 11, 1, 6, 10), ny), Utc(2026, 11, 1, 6, 20));
    // 02:30 does not exist on the spring Sunday: the countdown ends at the change, 03:00 EDT.
    int64_t target = 0;
    EXPECT_EQ(CountFor(0, Picked(2, 30), Utc(2026, 3, 8, 1, 0), ny, 5, &target), 6 * 3600);
    EXPECT_EQ(target, Utc(2026, 3, 8, 7, 0));
    // The next day it exists again.
    EXPECT_EQ(NextLocalOccurrence(Picked(2, 30), Utc(2026, 3, 8, 8, 0), ny), Utc(2026, 3, 9, 6, 30));
}

TEST(AtTimeOfDay, NearMidnightAndThePickersDateIgnored)
{
    const afx::UtcOffsetFn ny = Offsets(NewYork());
    const int64_t lateEvening = Utc(2026, 7, 2, 3, 56);  // 23:56 EDT on 1 July
    // The picker's default, 00:01 tomorrow, and a time changed back to 23:58 tonight.
    EXPECT_EQ(CountFor(0, Reading(2026, 7, 2, 0, 1), lateEvening, ny, 5, nullptr), 300);
    EXPECT_EQ(CountFor(0, Reading(2026, 7, 2, 23, 58), lateEvening, ny, 5, nullptr), 120);
    // Stale, future and nonsense dates all mean the next 23:58.
    for (const afx::CivilTime& picked : {Reading(2026, 6, 28, 23, 58), Reading(2026, 7, 9, 23, 58),
                                         Reading(1999, 12, 31, 23, 58), Reading(0, 0, 0, 23, 58)})
        EXPECT_EQ(CountFor(0, picked, lateEvening, ny, 5, nullptr), 120) << picked.year;
    // A time equal to now, to the second, is tomorrow's; one second later is now + 1.
    EXPECT_EQ(CountFor(0, Picked(23, 56), lateEvening, ny, 5, nullptr), 86400);
    EXPECT_EQ(CountFor(0, Picked(23, 56, 1), lateEvening, ny, 5, nullptr), 1);
    EXPECT_EQ(CountFor(0, Picked(23, 55, 59), lateEvening, ny, 5, nullptr), 86399);
    // Midnight itself, and UTC.
    EXPECT_EQ(CountFor(0, Picked(0, 0), lateEvening, ny, 5, nullptr), 240);
    const afx::UtcOffsetFn utc = [](int64_t) { return int64_t{0}; };
    EXPECT_EQ(CountFor(0, Picked(0, 0), Utc(2026, 12, 31, 23, 59, 59), utc, 5, nullptr), 1);
}

TEST(CountdownClock, CountForTimingModes)
{
    const afx::UtcOffsetFn utc = [](int64_t) { return int64_t{0}; };
    const int64_t now = Utc(2026, 12, 7, 13, 0);
    int64_t target = -1;
    EXPECT_EQ(CountFor(0, Picked(13, 0, 20), now, utc, 5, &target), 20);
    EXPECT_EQ(target, now + 20);
    target = -1;
    EXPECT_EQ(CountFor(1, Picked(13, 0, 20), now, utc, 5, &target), 300);
    EXPECT_EQ(CountFor(1, Picked(13, 0, 20), now, utc, 2880, &target), 172800);
    EXPECT_EQ(CountFor(1, Picked(13, 0, 20), now, utc, INT_MAX, &target), INT_MAX);
    EXPECT_EQ(target, -1);
    EXPECT_EQ(CountFor(-1, Picked(13, 0, 20), now, utc, 5, &target), 0);  // neither radio button
    EXPECT_EQ(CountFor(2, Picked(13, 0, 20), now, utc, 5, nullptr), 0);
}

}  // namespace
}  // namespace quellix
