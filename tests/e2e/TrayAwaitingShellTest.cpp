// The dialog without a notification area to hide into (right after log-on,
// or with no shell running): it never disappears without an icon. It waits
// minimised on the task bar, and hides into its icon once the shell
// announces its task bar with "TaskbarCreated".
#include "afx/ascii.h"
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/AbsentTray.h"
#include "tests/e2e/driver/Registry.h"

namespace e2e {
namespace {

using namespace quellix;

class TrayAwaitingShell : public TrayFixture {
protected:
    // The first copy, once it has shown its dialog and gone idle.
    bool StartCopy()
    {
        m_dialog = StartFirstCopy();
        return m_dialog && WaitForInputIdle(FirstCopy().Handle(), kStartTimeout) == 0;
    }

    static void AnnounceTaskBar() { PostMessageA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0); }

    // Minimised on the task bar, and staying so.
    void ExpectWaitingOnTheTaskBar(const char* after)
    {
        Sleep(500);
        EXPECT_TRUE(m_dialog.Visible()) << "after " << after << " the dialog disappeared without an icon";
        EXPECT_TRUE(m_dialog.Minimized()) << after;
        EXPECT_TRUE(NoIconFor(200)) << after;
    }
};

TEST_F(TrayAwaitingShell, AMinimisedDialogWaitsOnTheTaskBarThenHidesIntoItsIcon)
{
    AbsentTray absent;
    ASSERT_TRUE(absent.InPlace()) << "the real notification area would be found first";
    ASSERT_TRUE(StartCopy());
    PopupWatch popups(m_dialog.ProcessId());

    ASSERT_TRUE(m_dialog.Minimize());
    EXPECT_TRUE(WaitUntil([&] { return absent.Refused() > 0; })) << "the program asked for no icon";
    ExpectWaitingOnTheTaskBar("a minimise");
    EXPECT_EQ(0u, popups.PollFor(100)) << "a notice of a hide that did not happen";

    // The shell's notification area comes, and the shell says so.
    absent.Leave();
    AnnounceTaskBar();
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "the dialog did not hide into the new icon";
    const TrayIcon icon = WaitForOneIcon();
    EXPECT_EQ(kDialogCaption, icon.tip);
    EXPECT_TRUE(WaitUntil([&] { return ShowsQuellixIcon(icon.rect); }));
    EXPECT_EQ(1u, popups.PollFor(300)) << "the idle dialog's hide shows the \"timer stopped\" notice";

    // And back from the icon, as ever.
    PostIconMouse(WM_LBUTTONDOWN);
    EXPECT_TRUE(WaitForDialogBack());
    EXPECT_TRUE(WaitForTrayIconCount(0));
}

TEST_F(TrayAwaitingShell, ADialogTheUserBroughtBackStaysWhenTheTaskBarComes)
{
    AbsentTray absent;
    ASSERT_TRUE(absent.InPlace()) << "the real notification area would be found first";
    ASSERT_TRUE(StartCopy());

    // Escape while counting hides into the tray, or here waits on the task bar.
    StartCountdownAfter(m_dialog, "10");
    ASSERT_TRUE(WaitUntil([&] { return !m_dialog.IsEnabled(id::Ok); })) << "the countdown did not start";
    m_dialog.PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return absent.Refused() > 0; })) << "the program asked for no icon";
    ExpectWaitingOnTheTaskBar("Escape while counting");

    // The user restores it from the task bar; the task bar that comes later
    // leaves it shown, and the next minimise hides it into the icon.
    m_dialog.Post(WM_SYSCOMMAND, SC_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return m_dialog.Visible() && !m_dialog.Minimized(); }));
    absent.Leave();
    AnnounceTaskBar();
    EXPECT_TRUE(NoIconFor(500)) << "a new task bar got an icon for a shown dialog";
    EXPECT_TRUE(m_dialog.Visible() && !m_dialog.Minimized());

    ASSERT_TRUE(m_dialog.Minimize());
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); }));
    const TrayIcon icon = WaitForOneIcon();
    EXPECT_EQ(0u, afx::AsciiLower(icon.tip).find(afx::AsciiLower(kDialogCaption)));
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

// A system without the shell's DLL (Wine told to refuse shell32 to the
// program): the icon is refused as by a missing notification area, and the
// dialog waits on the task bar and comes back from it.
TEST_F(TrayAwaitingShell, WithoutTheShellsDllTheDialogWaitsOnTheTaskBar)
{
    const RegistryKey overrides("Software\\Wine\\AppDefaults\\Quellix.exe\\DllOverrides");
    ASSERT_TRUE(overrides.SetString("shell32", ""));
    struct Undo {
        const RegistryKey& key;
        ~Undo() { key.Delete(); }
    } undo{overrides};
    ASSERT_TRUE(StartCopy());

    ASSERT_TRUE(m_dialog.Minimize());
    ExpectWaitingOnTheTaskBar("a minimise");
    EXPECT_EQ(0u, FindModule(m_dialog.ProcessId(), "shell32.dll").base) << "shell32 was loaded all the same";
    m_dialog.Post(WM_SYSCOMMAND, SC_RESTORE);
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.Visible() && !m_dialog.Minimized(); }));
    EXPECT_TRUE(FirstCopy().Running());
}

}  // namespace
}  // namespace e2e
