// A running countdown: the remaining-time text from the start and after each
// tick, the controls while it runs, stopping it, and late ticks.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

#include <cmath>

namespace e2e {
namespace {

using namespace quellix;

class Countdown : public QuellixTest {
protected:
    void ExpectCountingControls(const Dialog& dialog)
    {
        for (int off : {id::Now, id::At, id::After, id::TimeAt, id::Minutes, id::MinutesSpin, id::MinLabel, id::Ok})
            EXPECT_FALSE(dialog.IsEnabled(off)) << "control " << off << " should be disabled while counting";
        for (int on : {id::HideOnMinimize, id::Action, id::Cancel, id::Confirm})
            EXPECT_TRUE(dialog.IsEnabled(on)) << "control " << on << " should be enabled while counting";
    }
};

TEST_F(Countdown, AfterFiveMinutesShowsTheWholeCountThenTicksOnceAndLongCountsWholeHours)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    // The countdown starts between these two readings: the first bounds how
    // early its first tick may come, the second how late.
    const DWORD beforeStart = GetTickCount();
    StartCountdownAfter(dialog, "5");
    const DWORD started = GetTickCount();
    EXPECT_EQ("Left 5 min. and 0 sec.", dialog.ItemText(id::Remaining));
    EXPECT_EQ(0, dialog.ProgressPosition(id::Progress));
    ExpectCountingControls(dialog);
    EXPECT_EQ(1u, m_settings.Dword("Action").value_or(99));
    EXPECT_EQ(0u, m_settings.Dword("TurnOffNow").value_or(99));
    EXPECT_EQ(1u, m_settings.Dword("TurnOffAfter").value_or(99));
    EXPECT_EQ(5u, m_settings.Dword("TurnOffDur").value_or(99));

    std::string next;
    ASSERT_TRUE(WaitUntil(
        [&] {
            next = dialog.ItemText(id::Remaining);
            return next != "Left 5 min. and 0 sec.";
        },
        3000, 5))
        << "no tick within 3 s";
    const DWORD ticked = GetTickCount();
    EXPECT_EQ("Left 4 min. and 59 sec.", next);
    EXPECT_GE(ticked - beforeStart, 900u) << "the first tick came early";
    EXPECT_LE(ticked - started, 1600u) << "the first tick came late";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());

    // Long counts show whole hours: the longest "after"...
    dialog.Click(id::Cancel);
    ASSERT_TRUE(dialog.IsEnabled(id::Ok)) << "Cancel did not stop the countdown";
    StartCountdownAfter(dialog, "2880");
    EXPECT_EQ("Left 48 hour(s) ", dialog.ItemText(id::Remaining));
    dialog.Click(id::Cancel);
    ASSERT_TRUE(dialog.IsEnabled(id::Ok)) << "Cancel did not stop the countdown";
    // ... and "at" the current second, which has come already: the same time tomorrow.
    dialog.Click(id::At);
    dialog.SetPickerTime(id::TimeAt, LocalTimeAt(WallClockMs()));
    dialog.Click(id::Ok);
    const std::string text = dialog.ItemText(id::Remaining);
    EXPECT_TRUE(text == "Left 24 hour(s) " || text == "Left 23 hour(s)  and 59 min.") << text;
    EXPECT_FALSE(dialog.IsEnabled(id::Ok));
}

TEST_F(Countdown, CancelStopsItKeepingTextAndProgress)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    PopupWatch popups(FirstCopy().Id());
    StartCountdownAfter(dialog, "1");
    // The bar steps every 600 ms for a one-minute count.
    ASSERT_TRUE(WaitUntil([&] { return dialog.ProgressPosition(id::Progress) >= 2; }, 3000))
        << "the progress bar does not move";
    EXPECT_EQ(0u, popups.Poll());

    dialog.Click(id::Cancel);
    ASSERT_TRUE(FirstCopy().Running()) << "Cancel ended the program instead of the countdown";
    const std::string text = dialog.ItemText(id::Remaining);
    const int progress = dialog.ProgressPosition(id::Progress);
    EXPECT_TRUE(ShownSeconds(text).has_value()) << text;
    EXPECT_GE(progress, 2);

    for (int on :
         {id::Now, id::At, id::After, id::Minutes, id::MinutesSpin, id::MinLabel, id::Ok, id::Action, id::Cancel})
        EXPECT_TRUE(dialog.IsEnabled(on)) << "control " << on << " should be enabled after the stop";
    EXPECT_FALSE(dialog.IsEnabled(id::TimeAt));
    EXPECT_FALSE(dialog.IsEnabled(id::HideOnMinimize));
    EXPECT_FALSE(dialog.IsChecked(id::HideOnMinimize));
    EXPECT_TRUE(dialog.IsChecked(id::After));

    // One popup says the timer stopped; then nothing moves any more.
    EXPECT_EQ(1u, popups.PollFor(1500)) << "the stop should show one popup";
    EXPECT_EQ(text, dialog.ItemText(id::Remaining));
    EXPECT_EQ(progress, dialog.ProgressPosition(id::Progress));
    EXPECT_FALSE(WaitForPrompt(FirstCopy().Id(), 0));
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());

    // Stopped, the dialog is idle again: Cancel now ends it.
    dialog.ClickAsync(id::Cancel);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout));
}

// A message loop that stalls does not make the countdown fall behind: the
// first tick after the stall shows the true remaining time, and the warning
// comes once though the count never passed through 30 exactly.
TEST_F(Countdown, LateTicksShowTheTrueRemainingTimeAndWarnOnce)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    PopupWatch popups(FirstCopy().Id());
    const int64_t target = StartCountdownAt(dialog, 33);
    ASSERT_TRUE(WaitUntil([&] { return dialog.ItemText(id::Remaining) != "Left 33 sec."; }, 2000, 5));

    HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, dialog.ThreadId());
    ASSERT_TRUE(thread) << LastErrorText();
    ASSERT_NE(static_cast<DWORD>(-1), SuspendThread(thread)) << LastErrorText();
    DWORD_PTR ignored = 0;
    EXPECT_FALSE(SendMessageTimeoutA(dialog.Handle(), WM_NULL, 0, 0, SMTO_NORMAL, 300, &ignored))
        << "the program still answers: its thread was not suspended";
    Sleep(4000);
    ResumeThread(thread);
    CloseHandle(thread);

    std::optional<int> shown;
    double trueRemaining = 0;
    ASSERT_TRUE(WaitUntil(
        [&] {
            shown = ShownSeconds(dialog.ItemText(id::Remaining));
            trueRemaining = (target - WallClockMs()) / 1000.0;
            return shown && *shown <= 30;
        },
        2000, 5))
        << "the text did not catch up after the stall";
    EXPECT_LE(std::fabs(*shown - trueRemaining), 1.5)
        << "shows " << *shown << " s, truly left " << trueRemaining << " s";
    EXPECT_EQ(1u, popups.PollFor(1500)) << "the warning should come once, at the first tick with 30 s or less";
}

}  // namespace
}  // namespace e2e
