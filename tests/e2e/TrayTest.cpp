// The notification-area icon: when it shows, what its tip says, its menu, and
// how the dialog goes into it and comes back.
#include "afx/ascii.h"
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/Probe.h"

namespace e2e {
namespace {

using namespace quellix;

using Tray = TrayFixture;

constexpr char kStopText[] = "Quellix\ntimer stopped.";

// The dialog's remaining-time text as the tip shows it: after the caption,
// lower-cased ("Quellix... left 59 sec.").
std::string TipFor(const Dialog& dialog)
{
    return std::string(kDialogCaption) + " " + afx::AsciiLower(dialog.ItemText(id::Remaining));
}

TEST_F(Tray, IdleDialogMinimisesToTheIconAndARealClickBringsItBack)
{
    ASSERT_TRUE(StartRecordedCopy());
    ASSERT_TRUE(NoIconFor(200)) << "an icon shows while the dialog does";
    // Loading the shell costs the start-up more than anything the dialog does;
    // it waits for the first icon.
    ASSERT_TRUE(m_dialog.Foreground());
    EXPECT_EQ(0u, FindModule(m_dialog.ProcessId(), "shell32.dll").base)
        << "the shell was loaded before the dialog went to the tray";

    ASSERT_TRUE(m_dialog.Minimize());
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "minimising did not hide the dialog";
    const TrayIcon icon = WaitForOneIcon();
    ASSERT_FALSE(IsRectEmpty(&icon.rect));
    EXPECT_EQ(kDialogCaption, icon.tip);
    EXPECT_TRUE(WaitUntil([&] { return ShowsQuellixIcon(icon.rect); })) << "the icon's picture does not show";
    EXPECT_EQ(kDialogCaption, HoverTip(icon)) << "pointing at the icon shows another tip";

    // Hiding the idle dialog announces that no timer runs.
    const std::vector<Popup> popups = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, popups.size());
    EXPECT_TRUE(WaitUntil([&] { return DrawnTextOf(popups[0]).text == kStopText; }))
        << "the popup shows \"" << DrawnTextOf(popups[0]).text << "\"";

    // A real click on the icon: the shell reports the button to the dialog.
    MouseClickAt(icon.Centre());
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.Visible() && !m_dialog.Minimized() && m_dialog.Foreground(); }))
        << "the click did not bring the dialog back: visible " << m_dialog.Visible() << ", minimised "
        << m_dialog.Minimized() << ", in front " << m_dialog.Foreground();
    EXPECT_TRUE(WaitForTrayIconCount(0)) << "the icon stayed after the dialog came back";
    EXPECT_TRUE(WaitUntil([&] { return !ShowsQuellixIcon(icon.rect); })) << "the icon's picture stayed";
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.FocusInThread() != NULL; })) << "the dialog came back without focus";
}

TEST_F(Tray, MenuOpensAtThePointerAndLeavesTheIconAndTheDialogAsTheyWere)
{
    ASSERT_TRUE(StartRecordedCopy());
    ASSERT_TRUE(m_dialog.Minimize());
    const TrayIcon icon = WaitForOneIcon();
    PopupWatch popups(m_dialog.ProcessId());
    ASSERT_EQ(1u, popups.PollFor(300)) << "hiding the idle dialog should show one notice";

    // Opened where the pointer is, its top left corner there.
    const OpenMenu menu = OpenIconMenu({400, 300});
    ASSERT_TRUE(menu);
    RECT rect = {};
    GetWindowRect(menu.window.Handle(), &rect);
    EXPECT_EQ(400, rect.left);
    EXPECT_EQ(300, rect.top);

    const std::vector<MenuEntry> entries = MenuEntries(m_dialog.ProcessId(), menu.menu);
    std::vector<std::string> texts;
    for (const MenuEntry& entry : entries)
        texts.push_back(entry.separator ? "-" : entry.text);
    EXPECT_EQ((std::vector<std::string>{"Restore", "-", "Stop Timer", "Ask Confirmation", "-", "&About Quellix...", "-",
                                        "Hide", "Exit"}),
              texts);
    std::vector<UINT> commands;
    for (const MenuEntry& entry : entries)
        if (!entry.separator)
            commands.push_back(entry.command);
    EXPECT_EQ((std::vector<UINT>{command::Restore, command::StopTimer, command::AskConfirmation, command::About,
                                 command::Hide, command::Exit}),
              commands);
    // Idle: nothing to stop or to hide; the confirmation is on by default.
    for (const MenuEntry& entry : entries) {
        if (entry.separator)
            continue;
        const bool idleGreyed = entry.command == command::StopTimer || entry.command == command::Hide;
        EXPECT_EQ(idleGreyed, entry.grayed) << entry.text;
        EXPECT_EQ(entry.command == command::AskConfirmation, entry.checked) << entry.text;
    }
    // "Restore" is the default entry, with the restore picture as its mark.
    const std::vector<std::string> extras =
        AskProbe(m_dialog.ProcessId(), "menuextra", reinterpret_cast<ULONG_PTR>(menu.menu));
    ASSERT_FALSE(extras.empty());
    EXPECT_EQ("item " + std::to_string(command::Restore) + " 1 16x16", extras.front());
    for (size_t i = 1; i < extras.size(); ++i)
        EXPECT_EQ(" 0 none", extras[i].substr(extras[i].find(' ', 5))) << "not plain: " << extras[i];

    CloseWithEscape(menu);
    EXPECT_TRUE(WaitUntil([&] { return !menu.window.Visible(); })) << "Escape did not close the menu";

    // A real right click on the icon opens the same menu near it.
    MouseClickAt(icon.Centre(), true);
    const OpenMenu atIcon = WaitForPopupMenu(m_dialog.ProcessId());
    ASSERT_TRUE(atIcon) << "a real right click on the icon opened no menu";
    EXPECT_EQ(menu.menu, atIcon.menu);
    // A click elsewhere closes it, choosing nothing.
    MouseClickAt({600, 200});
    EXPECT_TRUE(WaitUntil([&] { return !atIcon.window.Visible(); })) << "a click elsewhere left the menu open";
    if (atIcon.window.Visible()) {
        CloseWithEscape(atIcon);
        EXPECT_TRUE(WaitUntil([&] { return !atIcon.window.Visible(); })) << "Escape did not close the menu";
    }

    // Opening the menu is no restore and no new hide.
    EXPECT_EQ(1u, popups.PollFor(500)) << "opening the menu showed another notice";
    EXPECT_FALSE(m_dialog.Visible()) << "opening the menu showed the dialog";
    EXPECT_EQ(1u, ShellTrayIcons().size()) << "opening the menu took the icon away";
    EXPECT_TRUE(FirstCopy().Running());
}

// Ask Confirmation flips the confirmation check box behind the dialog, and the menu
// follows; a flip from the menu is not a choice the program stores.
TEST_F(Tray, AskConfirmationTogglesTheCheckBoxButStoresNothing)
{
    ASSERT_TRUE(StartRecordedCopy());
    const std::vector<std::string> storedBefore = m_settings.ValueNames();
    ASSERT_TRUE(m_dialog.IsChecked(id::Confirm));
    ASSERT_TRUE(m_dialog.Minimize());
    WaitForOneIcon();

    for (bool expected : {false, true}) {
        ChooseFromIconMenu(command::AskConfirmation);
        EXPECT_TRUE(WaitUntil([&] { return m_dialog.IsChecked(id::Confirm) == expected; }))
            << "the confirmation check box is not " << (expected ? "checked" : "cleared");
        EXPECT_EQ(expected, EntryWithCommand(IconMenuEntries(), command::AskConfirmation).checked)
            << "the menu's check does not follow the check box";
    }
    EXPECT_EQ(storedBefore, m_settings.ValueNames());
    EXPECT_FALSE(m_settings.Dword("ConfirmTurnOff")) << "the menu stored the confirmation setting";
    EXPECT_FALSE(m_dialog.Visible());
    EXPECT_EQ(1u, ShellTrayIcons().size());
}

// Minimised while counting: no notice, the tip counts down; "Stop Timer" ends
// the countdown with the stop notice and greys itself, "Hide" still works and
// takes the icon away after a reminder; a later copy brings the dialog back.
TEST_F(Tray, CountdownInTheTipStopTimerAndHideFromTheMenu)
{
    ASSERT_TRUE(StartRecordedCopy());
    StartCountdownAfter(m_dialog, "1");
    PopupWatch popups(m_dialog.ProcessId());
    ASSERT_TRUE(m_dialog.Minimize());
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "minimising did not hide the dialog";
    WaitForOneIcon();

    // The tip follows the dialog's text every second.
    std::string tip;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<TrayIcon> icons = ShellTrayIcons();
            tip = icons.size() == 1 ? icons[0].tip : "";
            return tip.rfind("Quellix... left ", 0) == 0 && tip == TipFor(m_dialog);
        },
        2500))
        << "tip \"" << tip << "\", dialog \"" << m_dialog.ItemText(id::Remaining) << "\"";
    const std::string first = tip;
    EXPECT_TRUE(WaitUntil(
        [&] {
            const std::vector<TrayIcon> icons = ShellTrayIcons();
            tip = icons.size() == 1 ? icons[0].tip : "";
            return tip != first && tip == TipFor(m_dialog);
        },
        2500))
        << "the tip stayed \"" << first << "\"";
    EXPECT_EQ(0u, popups.Poll()) << "hiding a running countdown into the icon showed a notice";

    std::vector<MenuEntry> entries = IconMenuEntries();
    EXPECT_FALSE(EntryWithCommand(entries, command::StopTimer).grayed);
    EXPECT_FALSE(EntryWithCommand(entries, command::Hide).grayed);
    EXPECT_TRUE(EntryWithCommand(entries, command::AskConfirmation).checked);

    ChooseFromIconMenu(command::StopTimer);
    std::vector<Popup> shown = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, shown.size()) << "stopping showed no notice";
    EXPECT_TRUE(WaitForHeight(shown[0], 50));
    EXPECT_EQ(150, shown[0].Width());
    EXPECT_TRUE(WaitUntil([&] { return DrawnTextOf(shown[0]).text == kStopText; }))
        << "the notice shows \"" << DrawnTextOf(shown[0]).text << "\"";
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.IsEnabled(id::Ok); })) << "the countdown still runs";
    EXPECT_TRUE(WaitUntil([&] {
        const std::vector<TrayIcon> icons = ShellTrayIcons();
        return icons.size() == 1 && icons[0].tip == kDialogCaption;
    })) << "the tip did not go back to the caption";
    entries = IconMenuEntries();
    EXPECT_TRUE(EntryWithCommand(entries, command::StopTimer).grayed) << "Stop Timer stays enabled after the stop";
    EXPECT_FALSE(EntryWithCommand(entries, command::Hide).grayed) << "Hide was greyed by the stop";

    ChooseFromIconMenu(command::Hide);
    EXPECT_TRUE(WaitForTrayIconCount(0)) << "Hide left the icon";
    Popup reminder;
    EXPECT_TRUE(WaitUntil([&] {
        for (const Popup& popup : VisiblePopups(m_dialog.ProcessId()))
            if (popup.Handle() != shown[0].Handle())
                reminder = popup;
        return static_cast<bool>(reminder);
    })) << "Hide showed no reminder";
    if (reminder) {
        EXPECT_TRUE(WaitForHeight(reminder, 60));
        EXPECT_EQ(150, reminder.Width());
        EXPECT_TRUE(WaitUntil([&] { return DrawnTextOf(reminder).text == "Remember!\nQuellix\ntimer stopped."; }))
            << "the reminder shows \"" << DrawnTextOf(reminder).text << "\"";
    }
    EXPECT_FALSE(m_dialog.Visible());
    EXPECT_TRUE(FirstCopy().Running());

    // Nothing in the notification area leads back now; starting again does.
    Process& later = StartCopy();
    EXPECT_TRUE(later.WaitForExit(kStartTimeout));
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.Visible() && m_dialog.Foreground(); }))
        << "a later copy did not bring the dialog back";
    EXPECT_TRUE(NoIconFor(300));
}

// Escape while counting hides the dialog with the icon as well; Exit, chosen
// while the expiry question is open, ends the program at once without an
// answer, carries nothing out and takes the icon along.
TEST_F(Tray, EscapeWhileCountingKeepsTheIconAndExitWhileAskingEndsTheProgram)
{
    ASSERT_TRUE(StartRecordedCopy());
    StartCountdownAt(m_dialog, 4);
    PopupWatch popups(m_dialog.ProcessId());
    m_dialog.PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "Escape did not hide the counting dialog";
    const TrayIcon icon = WaitForOneIcon();
    // The icon outlives the activation changes that follow the hide.
    Sleep(500);
    ASSERT_EQ(1u, ShellTrayIcons().size()) << "the icon went away after the dialog hid";
    EXPECT_TRUE(ShowsQuellixIcon(icon.rect));
    EXPECT_TRUE(WaitUntil([&] { return ShellTrayIcons().size() == 1 && ShellTrayIcons()[0].tip == TipFor(m_dialog); }))
        << "the tip does not count down";

    MessageBoxWindow box = WaitForPrompt(m_dialog.ProcessId(), 6000);
    ASSERT_TRUE(box) << "no question at the end of the countdown";
    ChooseFromIconMenu(command::Exit);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "Exit waited for the question's answer";
    EXPECT_TRUE(WaitForTrayIconCount(0)) << "the icon outlived the program";
    EXPECT_TRUE(WaitUntil([&] { return !ShowsQuellixIcon(icon.rect); })) << "the icon's picture stayed";
    EXPECT_EQ(0u, popups.Poll()) << "hiding or leaving a running countdown showed a notice";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

// "Hide on minimize...": no icon and a reminder instead of the notice, and no
// warning at 30 seconds; the program shows nothing else until the end.
TEST_F(Tray, HideOnMinimizeLeavesNoIconAndNoWarning)
{
    ASSERT_TRUE(StartRecordedCopy());
    m_dialog.SelectComboItem(id::Action, PositionOfCode(m_dialog, 3));  // shut down
    StartCountdownAt(m_dialog, 32);
    ASSERT_TRUE(m_dialog.IsEnabled(id::HideOnMinimize));
    m_dialog.Click(id::HideOnMinimize);
    ASSERT_TRUE(m_dialog.IsChecked(id::HideOnMinimize));
    PopupWatch popups(m_dialog.ProcessId());

    ASSERT_TRUE(m_dialog.Minimize());
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "minimising did not hide the dialog";
    const std::vector<Popup> reminder = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, reminder.size()) << "no reminder";
    EXPECT_TRUE(WaitForHeight(reminder[0], 65));
    EXPECT_EQ(175, reminder[0].Width());
    std::string text;
    EXPECT_TRUE(WaitUntil([&] {
        text = DrawnTextOf(reminder[0]).text;
        return text.rfind("Remember!\nQuellix\n will shut down the computer\n after 3", 0) == 0;
    })) << "the reminder shows \""
        << text << "\"";

    // Past 30 seconds left: still no icon, and no warning came.
    EXPECT_TRUE(NoIconFor(300));
    ASSERT_TRUE(WaitUntil([&] { return m_dialog.ItemText(id::Remaining) == "Left 29 sec."; }, 4000))
        << m_dialog.ItemText(id::Remaining);
    EXPECT_EQ(1u, popups.PollFor(300)) << "a warning came though the icon is hidden";
    EXPECT_TRUE(NoIconFor(100));
}

// The confirmation before the request needs something to come back to: the
// icon returns before the question; No then brings the dialog back, without
// a stop notice.
TEST_F(Tray, HiddenIconReturnsBeforeTheExpiryQuestion)
{
    ASSERT_TRUE(StartRecordedCopy());
    StartCountdownAt(m_dialog, 3);
    m_dialog.Click(id::HideOnMinimize);
    PopupWatch popups(m_dialog.ProcessId());
    ASSERT_TRUE(m_dialog.Minimize());
    ASSERT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); }));
    EXPECT_TRUE(NoIconFor(300));

    MessageBoxWindow prompt = WaitForPrompt(m_dialog.ProcessId(), 6000);
    ASSERT_TRUE(prompt) << "no question at the end";
    const std::vector<TrayIcon> icons = ShellTrayIcons();
    ASSERT_EQ(1u, icons.size()) << "the icon did not come back for the question";
    EXPECT_TRUE(WaitUntil([&] { return ShowsQuellixIcon(icons[0].rect); }));

    prompt.Answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.Visible() && !m_dialog.Minimized(); }))
        << "No did not bring the dialog back";
    EXPECT_TRUE(WaitForTrayIconCount(0)) << "the icon stayed with the dialog shown";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    // The reminder of the hide, and nothing for the stop that No makes.
    EXPECT_EQ(1u, popups.PollFor(300));
}

// A shell that starts again (after a crash) has no icons; it says so with the
// registered "TaskbarCreated" message, and the program adds its icon again -
// only while it has one in the notification area.
TEST_F(Tray, IconComesBackWhenTheTaskBarIsCreatedAgain)
{
    ASSERT_TRUE(StartRecordedCopy());
    const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    ASSERT_TRUE(m_dialog.Minimize());
    WaitForOneIcon();

    // The icon disappears behind the program's back, as with a new shell.
    ASSERT_TRUE(RemoveTrayIcon(m_dialog.Handle(), kTrayIconId));
    ASSERT_TRUE(WaitForTrayIconCount(0));

    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    const TrayIcon icon = WaitForOneIcon();
    EXPECT_EQ(kDialogCaption, icon.tip);
    EXPECT_TRUE(WaitUntil([&] { return ShowsQuellixIcon(icon.rect); }));

    // Shown, the dialog has no icon to bring back.
    PostIconMouse(WM_LBUTTONDOWN);
    ASSERT_TRUE(WaitUntil([&] { return m_dialog.Visible(); }));
    ASSERT_TRUE(WaitForTrayIconCount(0));
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(NoIconFor(500)) << "a new task bar got an icon for a shown dialog";
}

}  // namespace
}  // namespace e2e
