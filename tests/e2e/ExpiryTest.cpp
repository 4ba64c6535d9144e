// The end of a countdown: when it comes, the question, and what each answer
// (or no question at all) leads to.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

#include <algorithm>
#include <climits>

namespace e2e {
namespace {

using namespace quellix;

// How early or late the question may come against the "at" instant. The
// press of OK lies late in a second, so a countdown of whole seconds from
// the press would end 800 ms late or more. Under Wine the question shows
// some 30 ms after the countdown ends; the rest is room for a loaded machine.
constexpr int64_t kEarlyMs = 20;
constexpr int64_t kLateMs = 650;
// The text shows the time left rounded up to whole seconds: it may run ahead
// of the true time left by up to a second, plus a tick as late as the end may
// be (counted from the press of OK it ran ahead by up to 1.9 s), and behind
// only by the jitter of the system's tick count.
constexpr int64_t kTextAheadMs = 1000 + kLateMs;
constexpr int64_t kTextBehindMs = 150;

class Expiry : public QuellixTest {
protected:
    // Waits for the question of `pid`, watching for popups and the
    // remaining-time text meanwhile, and checks that it came on `target`.
    MessageBoxWindow WaitForPromptOnTime(const Dialog& dialog, int64_t target, PopupWatch& popups)
    {
        const DWORD pid = dialog.ProcessId();
        MessageBoxWindow box;
        int64_t mostAhead = INT64_MIN, leastAhead = INT64_MAX;
        const bool shown = WaitUntil(
            [&] {
                popups.Poll();
                box = WaitForPrompt(pid, 0);
                if (box)
                    return true;
                // The text was read between before and after: bound how far it
                // runs ahead of the true time left in the way that favours it.
                const int64_t before = WallClockMs();
                const std::optional<int> seconds = ShownSeconds(dialog.ItemText(id::Remaining));
                const int64_t after = WallClockMs();
                if (seconds && !WaitForPrompt(pid, 0)) {
                    mostAhead = std::max(mostAhead, *seconds * 1000LL - (target - before));
                    leastAhead = std::min(leastAhead, *seconds * 1000LL - (target - after));
                }
                return false;
            },
            static_cast<DWORD>(target - WallClockMs() + 3000), 2);
        if (!shown) {
            ADD_FAILURE() << "no question \"" << kPromptCaption << "\" within 3 s of the target";
            return box;
        }
        const int64_t late = WallClockMs() - target;
        EXPECT_GE(late, -kEarlyMs) << "the countdown ended " << -late << " ms before the target";
        EXPECT_LE(late, kLateMs) << "the countdown ended " << late << " ms after the target";
        EXPECT_EQ(0u, popups.Seen()) << "a countdown this short must not warn";
        EXPECT_LE(mostAhead, kTextAheadMs) << "the text showed more seconds than were left";
        EXPECT_GE(leastAhead, -kTextBehindMs) << "the text showed fewer seconds than were left";
        return box;
    }

    void ExpectExpiredState(const Dialog& dialog)
    {
        EXPECT_EQ("Timer expired", dialog.ItemText(id::Remaining));
        EXPECT_EQ(100, dialog.ProgressPosition(id::Progress));
        EXPECT_FALSE(dialog.IsEnabled(id::Action));
        EXPECT_FALSE(dialog.IsEnabled(id::Cancel));
        EXPECT_FALSE(dialog.IsEnabled(id::Ok));
    }

    void ExpectIdleAgain(const Dialog& dialog)
    {
        EXPECT_TRUE(WaitUntil([&] { return dialog.ItemText(id::Remaining).empty(); }))
            << dialog.ItemText(id::Remaining);
        EXPECT_EQ(0, dialog.ProgressPosition(id::Progress));
        for (int on : {id::Action, id::Cancel, id::Ok, id::Now, id::At, id::After, id::TimeAt})
            EXPECT_TRUE(dialog.IsEnabled(on)) << "control " << on << " should be enabled when idle";
        EXPECT_FALSE(dialog.IsEnabled(id::HideOnMinimize));
        EXPECT_TRUE(dialog.Visible());
    }
};

TEST_F(Expiry, QuestionAnsweredNoReturnsToIdle)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    PopupWatch popups(FirstCopy().Id());
    const int64_t target = StartCountdownAt(dialog, 2);
    EXPECT_EQ("Left 2 sec.", dialog.ItemText(id::Remaining));

    MessageBoxWindow box = WaitForPromptOnTime(dialog, target, popups);
    ASSERT_TRUE(box);
    EXPECT_EQ("Are you sure you want to turn off the computer?", box.Message());
    EXPECT_EQ(BoxIcon::Question, box.Icon()) << ToString(box.Icon());
    ExpectExpiredState(dialog);

    box.Answer(IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the question stayed open";
    ExpectIdleAgain(dialog);
    EXPECT_EQ(0u, popups.PollFor(700)) << "declining shows no \"timer stopped\" popup";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    // What OK stored at the start stays; nothing is stored at the end.
    EXPECT_EQ(1u, m_settings.Dword("Action").value_or(99));
    EXPECT_EQ(0u, m_settings.Dword("TurnOffNow").value_or(99));
    EXPECT_EQ(0u, m_settings.Dword("TurnOffAfter").value_or(99));
}

TEST_F(Expiry, QuestionAnsweredYesRequestsTheActionSelectedByThen)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    PopupWatch popups(FirstCopy().Id());
    const int shutDown = PositionOfCode(dialog, 3), restart = PositionOfCode(dialog, 4);
    dialog.SelectComboItem(id::Action, shutDown);
    const int64_t target = StartCountdownAt(dialog, 3);

    // The list stays open to changes while counting, and they show at once.
    ASSERT_TRUE(dialog.IsEnabled(id::Action));
    dialog.SelectComboItem(id::Action, restart);
    EXPECT_EQ("Restart time", dialog.ItemText(id::TimeGroup));
    EXPECT_EQ("Confirm restart...", dialog.ItemText(id::Confirm));

    MessageBoxWindow box = WaitForPromptOnTime(dialog, target, popups);
    ASSERT_TRUE(box);
    EXPECT_EQ("Are you sure you want to restart the computer?", box.Message());
    box.Answer(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !PowerRequests().empty(); })) << "no request after Yes";
    EXPECT_EQ(std::vector<std::string>{"ExitWindowsEx 6"}, PowerRequests());

    // Waiting for the session to end, the dialog keeps its expired state.
    Sleep(300);
    ExpectExpiredState(dialog);
    EXPECT_TRUE(FirstCopy().Running());
    EXPECT_EQ(static_cast<DWORD>(shutDown), m_settings.Dword("Action").value_or(99))
        << "the choice stored at the start stays";
}

TEST_F(Expiry, WithoutQuestionStandByIsRequestedAndTheDialogReturnsToIdle)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    dialog.Click(id::Confirm);
    ASSERT_FALSE(dialog.IsChecked(id::Confirm));
    EXPECT_EQ(0u, m_settings.Dword("ConfirmTurnOff").value_or(99)) << "the click stores the choice at once";
    dialog.SelectComboItem(id::Action, PositionOfCode(dialog, 6));
    PopupWatch popups(FirstCopy().Id());
    const int64_t target = StartCountdownAt(dialog, 2);

    ASSERT_TRUE(WaitUntil(
        [&] {
            popups.Poll();
            return !PowerRequests().empty();
        },
        static_cast<DWORD>(target - WallClockMs() + 3000), 2))
        << "no request within 3 s of the target";
    const int64_t late = WallClockMs() - target;
    EXPECT_GE(late, -kEarlyMs);
    EXPECT_LE(late, kLateMs);
    EXPECT_EQ(std::vector<std::string>{"SetSystemPowerState suspend=1 force=1"}, PowerRequests());

    ExpectIdleAgain(dialog);
    EXPECT_TRUE(FirstCopy().Running()) << "only an action started with \"Now\" ends the program";
    EXPECT_TRUE(OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty()) << "a question came though it was off";
    EXPECT_EQ(0u, popups.PollFor(700)) << "no warning and no \"timer stopped\" popup";
}

}  // namespace
}  // namespace e2e
