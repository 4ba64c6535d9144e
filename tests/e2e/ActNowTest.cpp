// OK with "Now" checked: the question before the request, the request each
// action makes, what is stored, and how the dialog behaves afterwards.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

namespace e2e {
namespace {

using namespace quellix;

struct ActionRequest {
    int code;
    const char* verb;
    const char* request;
    bool programEnds;  // the dialog ends once the request has returned
};

const ActionRequest kRequests[] = {
    {1, "log off", "ExitWindowsEx 4", false},
    {2, "turn off", "ExitWindowsEx 13", false},
    {3, "shut down", "ExitWindowsEx 5", false},
    {4, "restart", "ExitWindowsEx 6", false},
    {5, "hibernate", "SetSystemPowerState suspend=0 force=1", true},
    {6, "stand by", "SetSystemPowerState suspend=1 force=1", true},
    {7, "lock computer", "LockWorkStation", true},
};

std::string Question(const char* verb) { return std::string("Are you sure you want to ") + verb + " the computer?"; }

class ActNow : public QuellixTest {
protected:
    // Presses OK and expects the question for `verb`.
    MessageBoxWindow PressOkForQuestion(const Dialog& dialog, const char* verb)
    {
        dialog.ClickAsync(id::Ok);
        MessageBoxWindow box = WaitForPrompt(dialog.ProcessId(), kActionTimeout);
        if (!box) {
            ADD_FAILURE() << "no question \"" << kPromptCaption << "\" after OK";
            return box;
        }
        EXPECT_EQ(Question(verb), box.Message());
        return box;
    }

    // The dialog of an action that has been requested and has not returned:
    // still open, Escape ignored, the Cancel button ends it.
    void ExpectWaitingForTheSessionToEnd(Process& copy, const Dialog& dialog)
    {
        ASSERT_TRUE(dialog.Visible());
        EXPECT_TRUE(dialog.IsEnabled(id::Ok));
        dialog.PressKey(VK_ESCAPE);
        EXPECT_FALSE(copy.WaitForExit(400)) << "Escape ended the dialog after the request";
        EXPECT_TRUE(dialog.Visible());
        dialog.ClickAsync(id::Cancel);
        EXPECT_TRUE(copy.WaitForExit(kActionTimeout)) << "the Cancel button did not end the program";
    }
};

// No changes nothing and leaves the dialog idle; asked again, Yes requests
// power-off and stores the choices.
TEST_F(ActNow, QuestionAnsweredNoChangesNothingThenYesRequestsAndStores)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    MessageBoxWindow box = PressOkForQuestion(dialog, "turn off");
    ASSERT_TRUE(box);
    EXPECT_EQ(BoxIcon::Question, box.Icon()) << ToString(box.Icon());
    EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), box.Buttons());
    box.Answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the question stayed open";

    Sleep(200);
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    EXPECT_EQ(std::vector<std::string>{}, m_settings.ValueNames()) << "a declined OK stores nothing";
    EXPECT_TRUE(dialog.Visible());
    EXPECT_TRUE(dialog.IsEnabled(id::Ok));
    EXPECT_EQ("", dialog.ItemText(id::Remaining));

    box = PressOkForQuestion(dialog, "turn off");
    ASSERT_TRUE(box);
    box.Answer(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !PowerRequests().empty(); })) << "no request after Yes";
    EXPECT_EQ(std::vector<std::string>{"ExitWindowsEx 13"}, PowerRequests());

    EXPECT_EQ(1u, m_settings.Dword("Action").value_or(99)) << "the position of \"Turn off power\"";
    EXPECT_EQ(1u, m_settings.Dword("TurnOffNow").value_or(99));
    EXPECT_EQ(0u, m_settings.Dword("TurnOffAfter").value_or(99));
    EXPECT_EQ(5u, m_settings.Dword("TurnOffDur").value_or(99));
    EXPECT_FALSE(m_settings.Raw("ConfirmTurnOff")) << "only a click on the check box stores the confirmation";
    for (const char* name : {"Action", "TurnOffNow", "TurnOffAfter", "TurnOffDur"}) {
        const auto raw = m_settings.Raw(name);
        ASSERT_TRUE(raw) << name;
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), raw->first) << name;
    }
    ExpectWaitingForTheSessionToEnd(FirstCopy(), dialog);
}

TEST_F(ActNow, EachActionMakesItsRequest)
{
    size_t made = 0;
    for (const ActionRequest& action : kRequests) {
        SCOPED_TRACE(action.request);
        Process& copy = StartCopy();
        Dialog dialog = WaitForMainDialog(copy.Id(), kStartTimeout);
        ASSERT_TRUE(dialog);
        const int position = PositionOfCode(dialog, action.code);
        ASSERT_GE(position, 0);
        dialog.SelectComboItem(id::Action, position);

        MessageBoxWindow box = PressOkForQuestion(dialog, action.verb);
        ASSERT_TRUE(box);
        box.Answer(IDYES);
        ASSERT_TRUE(WaitUntil([&] { return PowerRequests().size() > made; })) << "no request after Yes";
        const std::vector<std::string> requests = PowerRequests();
        ASSERT_EQ(made + 1, requests.size());
        EXPECT_EQ(action.request, requests.back());
        made = requests.size();
        EXPECT_EQ(static_cast<DWORD>(position), m_settings.Dword("Action").value_or(99));

        if (action.programEnds)
            EXPECT_TRUE(copy.WaitForExit(kActionTimeout)) << "the program did not end after the request";
        else
            ExpectWaitingForTheSessionToEnd(copy, dialog);
        copy.Kill();
    }
}

TEST_F(ActNow, OlderSystemsMakeTheSameRequests)
{
    struct Case {
        const char* version;
        int code;
        const char* request;
    };
    size_t made = 0;
    for (const Case& c :
         {Case{"nt40", 3, "ExitWindowsEx 5"}, Case{"win98", 6, "SetSystemPowerState suspend=1 force=1"}}) {
        SCOPED_TRACE(c.version);
        ReportedSystemVersion version(c.version);
        ASSERT_TRUE(version.Set());
        Process& copy = StartCopy();
        Dialog dialog = WaitForMainDialog(copy.Id(), kStartTimeout);
        ASSERT_TRUE(dialog);
        // Without the question (stored by the first round's click): the
        // request comes straight from OK.
        if (dialog.IsChecked(id::Confirm))
            dialog.Click(id::Confirm);
        ASSERT_FALSE(dialog.IsChecked(id::Confirm));
        const int position = PositionOfCode(dialog, c.code);
        ASSERT_GE(position, 0);
        dialog.SelectComboItem(id::Action, position);
        dialog.ClickAsync(id::Ok);
        ASSERT_TRUE(WaitUntil([&] { return PowerRequests().size() > made; })) << "no request after OK";
        EXPECT_EQ(c.request, PowerRequests().back());
        made = PowerRequests().size();
        EXPECT_TRUE(OpenMessageBoxes(copy.Id(), dialog.Handle()).empty()) << "a question came though it was off";
        copy.Kill();
    }
}

}  // namespace
}  // namespace e2e
