#include "schedule/countdown_clock.h"
#include "schedule/remaining_text.h"

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
        ASSERT_EQ(c.RemainingAt(kStart + 1000 * k + jitter[k % 6]), 300 - k) << k;
    EXPECT_EQ(FormatRemaining(c.RemainingAt(kStart + 1000)), "4 min. and 59 sec.");
    // Halves round away from zero on both sides of the deadline.
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() - 1500), 2);
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() - 1499), 1);
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() + 1499), -1);
    EXPECT_EQ(c.RemainingAt(c.DeadlineMs() + 1500), -2);
}

TEST(CountdownClock, LateSkippedAndSleptTicksCatchUp)
{
    CountdownClock c;
    c.Start(600, kStart);
    EXPECT_EQ(c.RemainingAt(kStart + 1000 + 900), 598);  // one tick very late
    EXPECT_EQ(c.RemainingAt(kStart + 7000), 593);        // five ticks lost
    EXPECT_EQ(c.RemainingAt(kStart + 7 * 60'000), 180);  // the machine slept
    EXPECT_EQ(c.RemainingAt(kStart + 700'000), -100);    // woke after the deadline
    // Counts near the int limits neither overflow nor wrap.
    c.Start(INT_MAX, 0);
    EXPECT_EQ(c.RemainingAt(0), INT_MAX);
    c.Start(INT_MIN, 0);
    EXPECT_EQ(c.RemainingAt(0), INT_MIN);
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

TEST(CountdownClock, CountForTimingModes)
{
    const int64_t now = 1'700'000'000;
    int64_t moved = -1;
    EXPECT_EQ(CountFor(0, now + 20, now, 5, &moved), 20);
    EXPECT_EQ(moved, now + 20);
    // A time of day equal to or before now is moved on to its next occurrence.
    EXPECT_EQ(CountFor(0, now, now, 5, &moved), 86400);
    EXPECT_EQ(moved, now + 86400);
    EXPECT_EQ(CountFor(0, now - 1, now, 5, &moved), 86399);
    EXPECT_EQ(CountFor(0, now - 3 * 86400 - 10, now, 5, &moved), 86390);
    EXPECT_EQ(moved, now + 86390);
    EXPECT_EQ(NextOccurrence(now - 86400, now), now + 86400);
    EXPECT_EQ(NextOccurrence(now + 1, now), now + 1);
    moved = -1;
    EXPECT_EQ(CountFor(1, now, now, 5, &moved), 300);
    EXPECT_EQ(CountFor(1, now, now, 2880, &moved), 172800);
    EXPECT_EQ(CountFor(1, now, now, INT_MAX, &moved), INT_MAX);
    EXPECT_EQ(moved, -1);
    EXPECT_EQ(CountFor(-1, now, now, 5, &moved), 0);  // neither radio button
    EXPECT_EQ(CountFor(2, now, now, 5, nullptr), 0);
    EXPECT_EQ(CountFor(0, now, now, 5, nullptr), 86400);
}

}  // namespace
}  // namespace quellix
