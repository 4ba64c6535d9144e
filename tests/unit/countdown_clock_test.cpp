#include "schedule/countdown_clock.h"
#include "schedule/action_catalogue.h"
#include "schedule/remaining_text.h"
#include "tests/unit/zone_fixtures.h"

#include <algorithm>
#include <climits>
#include <vector>

#include <gtest/gtest.h>

namespace quellix {
namespace {

constexpr int64_t kStart = 5'000'000;         // an arbitrary monotonic reading, ms
constexpr int64_t kWall = 1'700'000'000'000;  // the wall clock at the start, ms

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
    // A tick that finds nothing left does not warn; the warning stays armed,
    // so that its skipped moment moves the end (SleepAndStalls below).
    c.Start(100, kStart);
    EXPECT_FALSE(c.TakeWarning(c.RemainingAt(kStart + 200'000)));
    EXPECT_TRUE(c.TakeWarning(5));
}

// The dialog's moments as they come: ticks (T), the expiry timer (E), a
// resume (R) and a suspend (S), each at a time since the start; the wall
// clock runs with the monotonic one. What each step asks of the dialog.
struct Moment {
    char what;
    int64_t atMs;
    CountdownStep::Kind kind;
    int remaining;
    bool warn, moved;
    int64_t waitMs;  // -1: not looked at
};
struct Story {
    const char* name;
    int count;
    bool followsWall;
    std::vector<Moment> moments;
};

constexpr auto kNothing = CountdownStep::kNothing, kWait = CountdownStep::kWait, kShow = CountdownStep::kShow,
               kEnd = CountdownStep::kEnd;

TEST(CountdownClock, SleepAndStallsNeverEndWithoutTheWarning)
{
    // clang-format off
    const Story stories[] = {
        {"on time: the warning at 30, the end at 0, once", 60, false, {
            {'T', 29'000, kShow, 31, false, false, -1},
            {'T', 30'000, kShow, 30, true, false, -1},
            {'T', 59'000, kShow, 1, false, false, -1},
            {'T', 60'000, kEnd, 0, false, false, -1},
            {'E', 60'000, kNothing, 0, false, false, -1},
        }},
        {"a stall that ends before the last 30 s changes nothing", 120, false, {
            {'T', 1'000, kShow, 119, false, false, -1},
            {'T', 80'000, kShow, 40, false, false, -1},
            {'T', 90'000, kShow, 30, true, false, -1},
            {'E', 120'000, kEnd, 0, false, false, -1},
        }},
        {"slept through the end, the tick first: 30 s more, then the end", 60, false, {
            {'T', 1'000, kShow, 59, false, false, -1},
            {'T', 600'000, kShow, 30, true, true, 30'000},
            {'E', 600'050, kWait, 0, false, false, 29'950},
            {'T', 629'000, kShow, 1, false, false, -1},
            {'E', 630'000, kEnd, 0, false, false, -1},
            {'T', 630'000, kNothing, 0, false, false, -1},
        }},
        {"slept through the end, the expiry first", 60, false, {
            {'T', 1'000, kShow, 59, false, false, -1},
            {'E', 600'000, kShow, 30, true, true, 30'000},
            {'T', 601'000, kShow, 29, false, false, -1},
            {'E', 630'000, kEnd, 0, false, false, -1},
        }},
        {"the skipped warning moves the end once per countdown", 60, false, {
            {'T', 600'000, kShow, 30, true, true, -1},
            {'T', 700'000, kEnd, 0, false, false, -1},
        }},
        {"a tick that showed 0 s skipped the warning too", 60, false, {
            {'T', 59'600, kShow, 0, false, false, -1},
            {'E', 60'000, kShow, 30, true, true, 30'000},
        }},
        {"an 'at' target slept past moves to 30 s after now", 45, true, {
            {'T', 600'000, kShow, 30, true, true, 30'000 - 30'000 / 512},
            {'E', 629'500, kWait, 0, false, false, 500},
            {'E', 630'000, kEnd, 0, false, false, -1},
        }},
        {"30 s or less, slept through without a resume: the end, as before", 20, false, {
            {'T', 300'000, kEnd, 0, false, false, -1},
        }},
        {"a resume with the end passed", 60, false, {
            {'T', 30'000, kShow, 30, true, false, -1},
            {'R', 600'000, kShow, 30, true, true, 30'000},
            {'T', 601'000, kShow, 29, false, false, -1},
            {'E', 630'000, kEnd, 0, false, false, -1},
        }},
        {"a resume 10 s before the end, after the warning", 60, false, {
            {'T', 30'000, kShow, 30, true, false, -1},
            {'R', 50'000, kShow, 30, true, true, 30'000},
            {'E', 60'000, kWait, 0, false, false, 20'000},
            {'E', 80'000, kEnd, 0, false, false, -1},
        }},
        {"a resume 5 minutes before the end only brings the time up to date", 600, false, {
            {'R', 300'000, kShow, 300, false, false, -1},
            {'T', 570'000, kShow, 30, true, false, -1},
            {'E', 600'000, kEnd, 0, false, false, -1},
        }},
        {"one wake-up, one move: the tick first, then its resume message", 60, false, {
            {'T', 600'000, kShow, 30, true, true, -1},
            {'R', 600'200, kShow, 30, false, false, -1},
        }},
        {"one wake-up, one move: two resume messages", 60, false, {
            {'T', 30'000, kShow, 30, true, false, -1},
            {'R', 50'000, kShow, 30, true, true, -1},
            {'R', 51'000, kShow, 29, false, false, -1},
        }},
        {"a sleep announced inside the 30 s: the first message after it moves the end", 60, false, {
            {'T', 30'000, kShow, 30, true, false, -1},
            {'R', 50'000, kShow, 30, true, true, -1},
            {'S', 60'000, kNothing, 0, false, false, -1},
            {'T', 900'000, kShow, 30, true, true, -1},
            {'R', 900'100, kShow, 30, false, false, -1},
            {'E', 930'000, kEnd, 0, false, false, -1},
        }},
        {"30 s or less, interrupted by a resume: warned, and 30 s", 20, false, {
            {'R', 10'000, kShow, 30, true, true, 30'000},
            {'E', 20'000, kWait, 0, false, false, 20'000},
            {'E', 40'000, kEnd, 0, false, false, -1},
        }},
        {"an 'at' countdown resumed 10 s before its target", 120, true, {
            {'T', 90'000, kShow, 30, true, false, -1},
            {'R', 110'000, kShow, 30, true, true, 30'000 - 30'000 / 512},
            {'E', 140'000, kEnd, 0, false, false, -1},
        }},
        {"after the end was taken, a resume changes nothing", 60, false, {
            {'T', 30'000, kShow, 30, true, false, -1},
            {'E', 60'000, kEnd, 0, false, false, -1},
            {'R', 61'000, kNothing, 0, false, false, -1},
            {'T', 61'000, kNothing, 0, false, false, -1},
        }},
    };
    // clang-format on
    for (const Story& story : stories) {
        SCOPED_TRACE(story.name);
        CountdownClock c;
        c.Start(story.count, kStart);
        if (story.followsWall)
            c.FollowWallClock(kWall + story.count * 1000);
        for (const Moment& m : story.moments) {
            SCOPED_TRACE(testing::Message() << m.what << " at " << m.atMs);
            const int64_t now = kStart + m.atMs, wall = kWall + m.atMs;
            CountdownStep step;
            switch (m.what) {
            case 'T':
                step = c.OnTick(now, wall);
                break;
            case 'E':
                step = c.OnExpiryTimer(now, wall);
                break;
            case 'R':
                step = c.OnResume(now, wall);
                break;
            default:
                c.OnSuspend();
                continue;
            }
            EXPECT_EQ(step.kind, m.kind);
            if (m.kind == kShow) {
                EXPECT_EQ(step.remaining, m.remaining);
                EXPECT_EQ(step.warn, m.warn);
                EXPECT_EQ(step.moved, m.moved);
                EXPECT_EQ(step.tickMs, c.MsToNextWholeSecond(now));
            }
            if (m.waitMs >= 0) {
                EXPECT_EQ(step.waitMs, m.waitMs);
            }
            if (step.moved) {
                EXPECT_EQ(step.wakeWallMs, wall + 30'000);
                EXPECT_EQ(c.WakeInstantMs(now, wall), wall + 30'000);
            }
        }
    }
}

TEST(CountdownClock, TheWakeInstantAndTheBar)
{
    // "after": the wall clock plus what is left, also once it has been set back.
    CountdownClock c;
    c.Start(3600, kStart);
    EXPECT_EQ(c.WakeInstantMs(kStart, kWall), kWall + 3'600'000);
    EXPECT_EQ(c.WakeInstantMs(kStart + 600'000, kWall - 7'200'000), kWall - 7'200'000 + 3'000'000);
    // "at": the target itself, whatever the clocks read now.
    c.Start(3600, kStart, 3'599'400);
    c.FollowWallClock(kWall + 3'599'400);
    EXPECT_EQ(c.WakeInstantMs(kStart + 5000, kWall + 123'456), kWall + 3'599'400);
    // The bar: the part of the countdown gone, the sleep counted in.
    c.Start(100, kStart);
    const struct {
        int64_t atMs;
        int progress;
    } bar[] = {{0, 0}, {25'000, 25}, {69'000, 69}};
    for (const auto& b : bar)
        EXPECT_EQ(c.OnTick(kStart + b.atMs, kWall).progress, b.progress) << b.atMs;
    EXPECT_EQ(c.OnTick(kStart + 570'000, kWall).progress, 95);  // moved: 30 s of 600 left
    EXPECT_EQ(c.OnTick(kStart + 599'000, kWall).progress, 99);
}

TEST(CountdownClock, WakesForTheActionsThatNeedARunningMachine)
{
    const struct {
        int code;
        bool wakes;
    } actions[] = {{ACTION_LOGOFF, true},
                   {ACTION_POWEROFF, true},
                   {ACTION_SHUTDOWN, true},
                   {ACTION_RESTART, true},
                   {ACTION_HIBERNATE, true},
                   {ACTION_STANDBY, false},
                   {ACTION_LOCK, false},
                   {0, false},
                   {8, false}};
    for (const auto& a : actions)
        EXPECT_EQ(WakesForEnd(a.code), a.wakes) << a.code;
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
