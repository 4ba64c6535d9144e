// Requests the system refuses, or cannot make: each is reported in a box
// that names the action and gives the system's reason, and the dialog is
// idle and usable afterwards. The same actions carried out, for contrast.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

#include <algorithm>
#include <iterator>

namespace e2e {
namespace {

using namespace quellix;

struct ActionCase {
    int code;
    const char* request;  // as the request log shows it
    const char* failing;  // the failure the test build is told to make
    DWORD error;
    const char* phrase;  // how the report names the action
    bool returns;        // the request comes back to the program
};

const ActionCase kActions[] = {
    {1, "ExitWindowsEx 4", "ExitWindowsEx", ERROR_ACCESS_DENIED, "log off", false},
    {2, "ExitWindowsEx 13", "ExitWindowsEx", ERROR_ACCESS_DENIED, "turn off the computer", false},
    {3, "ExitWindowsEx 5", "ExitWindowsEx", ERROR_ACCESS_DENIED, "shut down the computer", false},
    {4, "ExitWindowsEx 6", "ExitWindowsEx", ERROR_ACCESS_DENIED, "restart the computer", false},
    {5, "SetSystemPowerState suspend=0 force=1", "SetSystemPowerState", ERROR_NOT_SUPPORTED, "hibernate the computer",
     true},
    {6, "SetSystemPowerState suspend=1 force=1", "SetSystemPowerState", ERROR_NOT_SUPPORTED,
     "put the computer on stand by", true},
    // A system without the lock function: its look-up fails.
    {7, "LockWorkStation", "LockWorkStation", ERROR_PROC_NOT_FOUND, "lock the computer", true},
};

// The system's message text for `error`, as the program is to show it.
std::string SystemReason(DWORD error)
{
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, sizeof text, NULL);
    std::string reason = text;
    reason.erase(reason.find_last_not_of(" \r\n") + 1);
    return reason;
}

std::string Report(const char* phrase, DWORD error)
{
    return std::string("Unable to ") + phrase + ".\n\n" + SystemReason(error);
}

class RefusedRequest : public QuellixTest {
protected:
    // A copy with the question turned off and `code` selected.
    Dialog StartWithoutQuestion(Process*& copy, int code)
    {
        copy = &StartCopy();
        Dialog dialog = WaitForMainDialog(copy->Id(), kStartTimeout);
        if (!dialog) {
            ADD_FAILURE() << "no dialog";
            return dialog;
        }
        if (dialog.IsChecked(id::Confirm))
            dialog.Click(id::Confirm);
        EXPECT_FALSE(dialog.IsChecked(id::Confirm));
        const int position = PositionOfCode(dialog, code);
        EXPECT_GE(position, 0);
        dialog.SelectComboItem(id::Action, position);
        return dialog;
    }

    // A copy set to `action`, whose request the system is to refuse.
    Dialog StartRefusing(Process*& copy, const ActionCase& action)
    {
        m_failingRequest = std::string(action.failing) + " " + std::to_string(action.error);
        return StartWithoutQuestion(copy, action.code);
    }

    // One request made after the first `before`, `action`'s, refused and
    // reported. False when not exactly one was made.
    bool ExpectRefused(const Process& copy, const ActionCase& action, size_t before, DWORD timeoutMs = kActionTimeout)
    {
        ExpectReport(copy, Report(action.phrase, action.error), timeoutMs);
        const std::vector<std::string> requests = PowerRequests();
        EXPECT_EQ(before + 1, requests.size());
        if (requests.size() != before + 1)
            return false;
        EXPECT_EQ(action.request, requests.back());
        return true;
    }

    // The report of `copy`: an exclamation box titled "Quellix" with `text`;
    // answered, and gone.
    void ExpectReport(const Process& copy, const std::string& text, DWORD timeoutMs = kActionTimeout)
    {
        MessageBoxWindow box = WaitForMessageBox(copy.Id(), kMessageCaption, timeoutMs);
        ASSERT_TRUE(box) << "no report \"" << text << "\"";
        EXPECT_EQ(text, box.Message());
        EXPECT_EQ(BoxIcon::Exclamation, box.Icon()) << ToString(box.Icon());
        box.Answer(IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the report stayed open";
    }

    // Idle, and usable: the list, OK and Cancel enabled, the timing controls
    // as "at" or "Now" leave them, nothing counting, the dialog in front.
    // The dialog turns idle once the request has returned, which is after the
    // request is logged: on a busy machine that takes a moment.
    void ExpectIdle(const Dialog& dialog)
    {
        const int idle[] = {id::Action, id::Cancel, id::Ok, id::Now};
        EXPECT_TRUE(WaitUntil([&] {
            return dialog.Visible() && dialog.Enabled() &&
                   std::all_of(std::begin(idle), std::end(idle), [&](int on) { return dialog.IsEnabled(on); });
        }));
        for (int on : idle)
            EXPECT_TRUE(dialog.IsEnabled(on)) << "control " << on << " should be enabled when idle";
        EXPECT_FALSE(dialog.IsEnabled(id::HideOnMinimize));
        EXPECT_EQ("", dialog.ItemText(id::Remaining));
        EXPECT_EQ(0, dialog.ProgressPosition(id::Progress));
    }

    // Ends the idle dialog by Escape, the close box or Cancel, by turn.
    void ExpectEndsOnRequest(Process& copy, const Dialog& dialog, int turn)
    {
        if (turn % 3 == 0)
            dialog.PressKey(VK_ESCAPE);
        else if (turn % 3 == 1)
            dialog.Post(WM_SYSCOMMAND, SC_CLOSE);
        else
            dialog.ClickAsync(id::Cancel);
        EXPECT_TRUE(copy.WaitForExit(kActionTimeout)) << "the idle dialog did not end (turn " << turn << ")";
    }
};

TEST_F(RefusedRequest, NowIsReportedForEveryActionAndTheDialogStaysIdle)
{
    int turn = 0;
    for (const ActionCase& action : kActions) {
        SCOPED_TRACE(action.request);
        Process* copy = nullptr;
        Dialog dialog = StartRefusing(copy, action);
        ASSERT_TRUE(dialog);
        const size_t before = PowerRequests().size();
        dialog.ClickAsync(id::Ok);
        ASSERT_TRUE(ExpectRefused(*copy, action, before));
        Sleep(200);
        EXPECT_TRUE(copy->Running()) << "a refused request ended the program";
        ExpectIdle(dialog);
        ExpectEndsOnRequest(*copy, dialog, turn++);
    }
}

// At expiry the refusal takes the same road as with "Now" (each action's
// report is checked there): one action shows that the countdown's dialog
// comes back idle, its timing controls usable again.
TEST_F(RefusedRequest, AtExpiryIsReportedAndTheDialogReturnsToIdle)
{
    const ActionCase& action = kActions[2];  // shut down
    Process* copy = nullptr;
    Dialog dialog = StartRefusing(copy, action);
    ASSERT_TRUE(dialog);
    const int64_t target = StartCountdownAt(dialog, 2);
    ASSERT_TRUE(ExpectRefused(*copy, action, 0, static_cast<DWORD>(target - WallClockMs() + 3000)));
    EXPECT_TRUE(copy->Running());
    ExpectIdle(dialog);
    EXPECT_TRUE(dialog.IsEnabled(id::At)) << "the timing controls stayed disabled";
    ExpectEndsOnRequest(*copy, dialog, 1);
}

// Without the shutdown right (a restricted account, a remote session) the
// power actions are reported and not requested; log off and lock need no
// such right and are carried out.
TEST_F(RefusedRequest, WithoutTheShutdownRightOnlyLogOffAndLockAreCarriedOut)
{
    m_failingRequest = "SeShutdownPrivilege " + std::to_string(ERROR_NOT_ALL_ASSIGNED);
    for (const ActionCase& action : kActions) {
        SCOPED_TRACE(action.request);
        Process* copy = nullptr;
        Dialog dialog = StartWithoutQuestion(copy, action.code);
        ASSERT_TRUE(dialog);
        const size_t before = PowerRequests().size();
        dialog.ClickAsync(id::Ok);
        if (action.code == 1 || action.code == 7) {
            ASSERT_TRUE(WaitUntil([&] { return PowerRequests().size() > before; })) << "no request";
            EXPECT_EQ(action.request, PowerRequests().back());
        } else {
            ExpectReport(*copy, Report(action.phrase, ERROR_NOT_ALL_ASSIGNED));
            EXPECT_EQ(before, PowerRequests().size()) << "a request was made without the right";
            ExpectIdle(dialog);
        }
        copy->Kill();
    }
}

}  // namespace
}  // namespace e2e
