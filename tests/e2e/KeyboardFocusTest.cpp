// The keyboard after OK and after the expiry: both disable the control that
// may hold the focus, and the focus must land on a control that still takes
// keys, so Escape and Tab keep working.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

namespace e2e {
namespace {

using namespace quellix;

using KeyboardFocus = QuellixTest;

// The control of `dialog` with the focus, when it is one of its enabled controls.
void ExpectFocusOnEnabledControl(const Dialog& dialog, const char* when)
{
    const HWND focus = dialog.FocusInThread();
    ASSERT_TRUE(focus != NULL) << "no window has the focus " << when;
    EXPECT_TRUE(IsChild(dialog.Handle(), focus) || focus == dialog.Handle()) << when;
    EXPECT_TRUE(IsWindowEnabled(focus)) << "the focus is on disabled control " << GetDlgCtrlID(focus) << " " << when;
}

void PressRealEscape() { SendKeys({{VK_ESCAPE, true}, {VK_ESCAPE, false}}); }

TEST_F(KeyboardFocus, AfterAMouseClickOnOkEscapeHidesTheCountingDialog)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    dialog.Click(id::Now);
    dialog.Click(id::After);
    dialog.TypeText(id::Minutes, "30");
    dialog.MouseClick(id::Ok);
    ASSERT_TRUE(WaitUntil([&] { return !dialog.IsEnabled(id::Ok); })) << "OK did not start a countdown";
    ExpectFocusOnEnabledControl(dialog, "after OK");

    PressRealEscape();
    EXPECT_TRUE(WaitUntil([&] { return !dialog.Visible(); })) << "Escape did not hide the counting dialog";
    EXPECT_TRUE(FirstCopy().Running());
    EXPECT_FALSE(dialog.IsEnabled(id::Ok)) << "the countdown stopped";
}

TEST_F(KeyboardFocus, AfterTheExpiryDisabledCancelEscapeStillReachesTheDialog)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    StartCountdownAt(dialog, 2);
    // OK handed the focus on to Cancel, which the expiry disables.
    EXPECT_TRUE(dialog.HasFocus(id::Cancel));
    MessageBoxWindow box = WaitForPrompt(FirstCopy().Id(), 5000);
    ASSERT_TRUE(box);
    EXPECT_FALSE(dialog.IsEnabled(id::Cancel));
    box.Answer(IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the question stayed open";
    ASSERT_TRUE(WaitUntil([&] { return dialog.IsEnabled(id::Ok) && dialog.Foreground(); }));
    ExpectFocusOnEnabledControl(dialog, "after the expiry");

    // Idle again: Escape ends the program.
    PressRealEscape();
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "Escape did not reach the dialog";
}

}  // namespace
}  // namespace e2e
