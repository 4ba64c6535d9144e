// The timings that wait for a condition, and the push-back of a countdown.
#include "schedule/countdown_clock.h"
#include "schedule/idle_rule.h"
#include "schedule/remaining_text.h"
#include "schedule/wait_target.h"
#include "tray/reminder_text.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

constexpr int64_t kMinute = 60'000;

TEST(WaitTarget, ReadsNamesAndProcessIds)
{
    struct Case {
        const char* value;
        bool ok;
        const char* name;
        uint32_t id;
    } const cases[] = {
        {"ffmpeg.exe", true, "ffmpeg.exe", 0},
        {"My Render.EXE", true, "My Render.EXE", 0},
        {"System", true, "System", 0},  // Task Manager's names need not end in .exe
        {"1234", true, "", 1234},
        {"0004", true, "", 4},
        {"4294967295", true, "", 4294967295u},
        {"00000000004294967295", true, "", 4294967295u},
        {"0", false, "", 0},  // the idle process is never waited for
        {"4294967296", false, "", 0},
        {"99999999999999999999999", false, "", 0},
        {"", false, "", 0},
        {"C:\\Tools\\ffmpeg.exe", false, "", 0},  // a path, not an image name
        {"tools/ffmpeg.exe", false, "", 0},
        {"c:ffmpeg.exe", false, "", 0},
        {"ff*.exe", false, "", 0},
        {"a\"b.exe", false, "", 0},
        {"tab\t.exe", false, "", 0},
        {" ffmpeg.exe", false, "", 0},
        {"ffmpeg.exe ", false, "", 0},
        {"..", false, "", 0},
        {"-now", false, "", 0},  // a switch where the value was forgotten
        {"/now", false, "", 0},
    };
    for (const Case& c : cases) {
        WaitTarget target;
        target.imageName = "kept";
        EXPECT_EQ(ParseWaitTarget(c.value, &target), c.ok) << c.value;
        if (c.ok) {
            EXPECT_EQ(target.imageName, c.name) << c.value;
            EXPECT_EQ(target.processId, c.id) << c.value;
        } else {
            EXPECT_EQ(target.imageName, "kept") << c.value;
        }
    }
    WaitTarget target;
    EXPECT_TRUE(ParseWaitTarget(std::string(255, 'a'), &target));
    EXPECT_FALSE(ParseWaitTarget(std::string(256, 'a'), &target));
}

TEST(WaitTarget, MatchesTheImageNameRegardlessOfCase)
{
    struct Case {
        const char* wanted;
        const char* listed;  // as Process32First/Next give it: a name on NT, a path on 9x
        bool same;
    } const cases[] = {
        {"ffmpeg.exe", "ffmpeg.exe", true},
        {"FFmpeg.EXE", "ffmpeg.exe", true},
        {"ffmpeg.exe", "C:\\TOOLS\\FFMPEG.EXE", true},
        {"notepad.exe", "C:\\WINDOWS\\NOTEPAD.EXE", true},
        {"ffmpeg.exe", "ffmpeg.exe.bak", false},
        {"ffmpeg.exe", "xffmpeg.exe", false},
        {"ffmpeg", "ffmpeg.exe", false},
        {"tools\\ffmpeg.exe", "C:\\tools\\ffmpeg.exe", false},
        {"", "", false},
        {"\xc4pfel.exe", "\xc4PFEL.EXE", true},   // a code page's letter compares exactly
        {"\xe4pfel.exe", "\xc4PFEL.EXE", false},  // and is not folded
    };
    for (const Case& c : cases)
        EXPECT_EQ(SameImageName(c.wanted, c.listed), c.same) << c.wanted << " / " << c.listed;
    EXPECT_EQ(ImageNameOf("C:\\WINDOWS\\SYSTEM\\KERNEL32.DLL"), "KERNEL32.DLL");
    EXPECT_EQ(ImageNameOf("trailing\\"), "");
}

TEST(IdleRule, InputStartsTheCountAgainAndTheTickMayWrap)
{
    // Ticks near the 49.7-day wrap and far from it behave alike.
    for (uint32_t base : {1'000'000u, 0xFFFFFFFFu - 90'000u, 0xFFFFFFFFu}) {
        auto at = [base](int64_t ms) { return static_cast<uint32_t>(base + static_cast<uint64_t>(ms)); };
        struct Case {
            int minutes;
            int64_t lastInput;  // ms from the start; negative: before it
            int64_t now;
            int64_t msLeft;
        } const cases[] = {
            {1, 0, 0, kMinute},
            {1, 0, 1'000, 59'000},
            {1, -3'600'000, 1'000, 59'000},  // left alone for an hour before: the count still starts full
            {1, 20'000, 30'000, 50'000},     // input 20 s in starts it again
            {1, 20'000, 80'000, 0},
            {1, 0, 75'000, 0},             // never below 0
            {1, 45'000, 45'000, kMinute},  // input during the warning
            {1, 31'000, 30'500, kMinute},  // input read "after" now: read one after the other
            {2, 100'000, 190'000, 30'000},
            {2880, 0, 2880 * kMinute - 1, 1},
            {5, -1, 0, 5 * kMinute},
        };
        for (const Case& c : cases) {
            EXPECT_EQ(IdleMsLeft(c.minutes, at(0), at(c.lastInput), at(c.now)), c.msLeft)
                << base << ": input " << c.lastInput << ", now " << c.now;
        }
    }
    // Input last seen 30 days ago (beyond a signed 32-bit difference) still counts as long ago.
    const uint32_t now = 0x10000000;
    const uint32_t monthAgo = static_cast<uint32_t>(now - 30ull * 24 * 3600 * 1000);
    EXPECT_EQ(IdleMsLeft(5, now - 60'000, monthAgo, now), 4 * kMinute);
}

// An idle countdown through a run of ticks: input starts it again, a
// postponement's minutes come after the quiet ones however often input
// starts them again, and once the quiet minutes have passed input changes
// nothing. Alike on both sides of the tick count's wrap.
TEST(IdleCount, RestartsOnInputUntilTheQuietMinutesHavePassed)
{
    constexpr int64_t kNone = -1;
    constexpr int64_t kPostponed = -2;  // a row that postpones by `input` minutes instead of a tick
    struct Step {
        int64_t now, input, restartMsLeft;
        bool quietAfter;
    } const steps[] = {
        {1'000, -5'000, kNone, true},  // input before the start counts nothing
        {2'000, 1'500, 2 * kMinute - 500, true},
        {3'000, 1'500, kNone, true},  // the same input again: nothing new
        {3'100, 1'700, kNone, true},  // within the slack of two readings
        {3'000, 3, kPostponed, true},
        {4'000, 1'500, kNone, true},  // the moved end is what the count expects
        {10'000, 9'800, 5 * kMinute - 200, true},
        {10'000 + 2 * kMinute, 9'800, kNone, false},  // the quiet minutes have passed
        {11'000 + 2 * kMinute, 10'500 + 2 * kMinute, kNone, false},
    };
    for (uint32_t base : {5'000'000u, 0xFFFFFFFFu - 30'000u}) {
        auto at = [base](int64_t ms) { return static_cast<uint32_t>(base + static_cast<uint64_t>(ms)); };
        IdleCount count;
        count.Start(2, at(0));
        int64_t setLeft = 2 * kMinute, setAt = 0;
        for (const Step& s : steps) {
            SCOPED_TRACE(testing::Message() << base << ": at " << s.now);
            if (s.restartMsLeft == kPostponed) {
                const int64_t msLeft = PostponedMsLeft(setLeft - (s.now - setAt), static_cast<int>(s.input));
                count.Postponed(msLeft, at(s.now));
                continue;
            }
            const int64_t got = count.RestartMsLeft(at(s.input), at(s.now));
            EXPECT_EQ(got, s.restartMsLeft);
            EXPECT_EQ(count.Quiet(), s.quietAfter);
            if (got >= 0)
                setLeft = got, setAt = s.now;
        }
    }
    // Postponed to the cap: input does not push the end beyond 2880 minutes from now.
    IdleCount capped;
    capped.Start(60, 0);
    capped.Postponed(PostponedMsLeft(60 * kMinute, 2880), 0);
    EXPECT_EQ(capped.RestartMsLeft(1'000, 1'000), 2880 * kMinute);
    EXPECT_EQ(capped.RestartMsLeft(1'000, 2'000), kNone);
    EXPECT_EQ(capped.RestartMsLeft(30 * kMinute, 30 * kMinute), 2880 * kMinute);
    EXPECT_EQ(capped.RestartMsLeft(30 * kMinute, 31 * kMinute), kNone);
    // The quiet hour has passed: the postponed minutes run down as any countdown.
    EXPECT_EQ(capped.RestartMsLeft(30 * kMinute, 90 * kMinute), kNone);
    EXPECT_FALSE(capped.Quiet());
    capped.Stop();
    EXPECT_FALSE(capped.Quiet());
    EXPECT_EQ(capped.RestartMsLeft(40 * kMinute, 40 * kMinute), kNone);
}

TEST(Postpone, AddsMinutesUpToTwoDaysFromNow)
{
    struct Case {
        int64_t msLeft;
        int minutes;
        int64_t expected;
    } const cases[] = {
        {2 * kMinute, 3, 5 * kMinute},
        {12'345, 15, 15 * kMinute + 12'345},
        {-5'000, 1, kMinute},  // an end already past counts from now
        {0, 2880, 2880 * kMinute},
        {2000 * kMinute, 1000, 2880 * kMinute},
        {2880 * kMinute, 1, 2880 * kMinute},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PostponedMsLeft(c.msLeft, c.minutes), c.expected) << c.msLeft << " + " << c.minutes;

    constexpr int64_t kNow = 7'000'000, kWall = 1'700'000'000'000;
    CountdownClock after;
    after.Start(120, kNow);
    EXPECT_EQ(after.Postpone(3, kNow, kWall), 5 * kMinute);
    EXPECT_EQ(after.RemainingAt(kNow), 300);
    EXPECT_EQ(FormatRemaining(after.RemainingAt(kNow + 1000)), "4 min. and 59 sec.");

    // Pushed back from within the last 30 seconds: the warning comes again.
    CountdownClock late;
    late.Start(60, kNow);
    EXPECT_TRUE(late.TakeWarning(late.RemainingAt(kNow + 35'000)));
    EXPECT_EQ(late.Postpone(1, kNow + 35'000, kWall), 85'000);
    EXPECT_FALSE(late.TakeWarning(late.RemainingAt(kNow + 36'000)));
    EXPECT_TRUE(late.TakeWarning(late.RemainingAt(kNow + 90'000)));
    EXPECT_FALSE(late.EndHasCome(kNow + 119'000, kWall));
    EXPECT_TRUE(late.EndHasCome(kNow + 120'000, kWall));

    // An "at" countdown ends at the later instant of the wall clock, capped the same way.
    CountdownClock at;
    at.Start(600, kNow);
    at.FollowWallClock(kWall + 600'000);
    EXPECT_EQ(at.Postpone(15, kNow, kWall), 25 * kMinute);
    EXPECT_TRUE(at.FollowsWallClock());
    EXPECT_EQ(at.ExpiryWaitMs(kWall + 25 * kMinute), 0);
    EXPECT_GT(at.ExpiryWaitMs(kWall + 25 * kMinute - 1), 0);
    EXPECT_EQ(at.Postpone(2880, kNow, kWall), 2880 * kMinute);
    EXPECT_EQ(at.ExpiryWaitMs(kWall + 2880 * kMinute), 0);
}

TEST(WaitTexts, DialogTipAndReminder)
{
    WaitTarget name, id;
    ASSERT_TRUE(ParseWaitTarget("FFmpeg.exe", &name));
    ASSERT_TRUE(ParseWaitTarget("1234", &id));
    EXPECT_EQ(WaitingText(name), "Waiting for FFmpeg.exe to end");
    EXPECT_EQ(WaitingText(id), "Waiting for process 1234 to end");
    EXPECT_EQ(WaitingTipText("Quellix...", name), "Quellix... waiting for FFmpeg.exe to end");
    EXPECT_EQ(WaitingTipText("Quellix...", id), "Quellix... waiting for process 1234 to end");
    ASSERT_TRUE(ParseWaitTarget(std::string(200, 'n') + ".exe", &name));
    EXPECT_EQ(WaitingTipText("Quellix...", name), "Quellix... waiting for " + std::string(40, 'n'));

    EXPECT_EQ(NothingToWaitForText(name).substr(0, 30), std::string(30, 'n'));
    EXPECT_EQ(NothingToWaitForText(id), "Process 1234 is not running: there is nothing to wait for.");

    const Reminder r = ComposeReminder(false, true, true, 3, "", WaitEndText(id));
    EXPECT_EQ(r.text, "Warning!\nQuellix\n will shut down the computer\n after process 1234 ends");
}

}  // namespace
}  // namespace quellix
