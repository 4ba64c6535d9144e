// The tray menu while the expiry question is open: the user's "Stop Timer"
// outweighs the answer ("Exit" then: the tray's Escape-while-counting walk).
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"

namespace e2e {
namespace {

using namespace quellix;

using InterruptedExpiry = TrayFixture;

// Yes, the answer that would act; No after a stop leads to the same idle
// dialog (the model's unit tests walk both).
TEST_F(InterruptedExpiry, StopTimerWhileAskingOutweighsTheAnswer)
{
    ASSERT_TRUE(StartRecordedCopy());
    StartCountdownAt(m_dialog, 2);
    ASSERT_TRUE(m_dialog.Minimize());
    ASSERT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "minimising did not hide the dialog";
    MessageBoxWindow box = WaitForPrompt(m_dialog.ProcessId(), 5000);
    ASSERT_TRUE(box) << "no question at the end of the countdown";

    ChooseFromIconMenu(command::StopTimer);
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.IsEnabled(id::Ok); })) << "the stop did not reach the countdown";
    ASSERT_TRUE(IsWindow(box.Handle())) << "the question went away without an answer";
    box.Answer(IDYES);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the question stayed open";

    Sleep(300);
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests()) << "a stopped timer carried out its action";
    ASSERT_TRUE(FirstCopy().Running()) << "the answer after a stop ended the program";
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.Visible() && m_dialog.Enabled(); }));
    for (int on : {id::Action, id::Cancel, id::Ok, id::Now, id::At, id::After, id::TimeAt})
        EXPECT_TRUE(m_dialog.IsEnabled(on)) << "control " << on << " should be enabled when idle";
    EXPECT_EQ("", m_dialog.ItemText(id::Remaining));
    EXPECT_TRUE(OpenMessageBoxes(FirstCopy().Id(), m_dialog.Handle()).empty());

    // Idle, so Escape ends it.
    m_dialog.PressKey(VK_ESCAPE);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "Escape did not end the idle dialog";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

}  // namespace
}  // namespace e2e
