#include "tests/e2e/TraySteps.h"

namespace e2e {

using namespace quellix;

void TrayFixture::TearDown()
{
    if (m_dialog)
        RemoveTrayIcon(m_dialog.Handle(), kTrayIconId);
    QuellixTest::TearDown();
}

Dialog TrayFixture::StartRecordedCopy()
{
    m_dialog = StartFirstCopy();
    if (!m_dialog)
        return m_dialog;
    // The dialog manager shows its dialog once more when the program first
    // runs out of messages: a hide before that would be undone.
    EXPECT_EQ(0u, WaitForInputIdle(FirstCopy().Handle(), kStartTimeout)) << "the program never became idle";
    StartRecordingDrawnText(m_dialog.ProcessId());
    return m_dialog;
}

void TrayFixture::PostIconMouse(UINT mouseMessage) const { m_dialog.Post(kTrayMessage, kTrayIconId, mouseMessage); }

OpenMenu TrayFixture::OpenIconMenu(POINT pointer) const
{
    // Placed, and left to settle: the menu opens where the program reads the pointer.
    const auto placed = [&] {
        POINT now = {};
        return GetCursorPos(&now) && now.x == pointer.x && now.y == pointer.y;
    };
    for (int attempt = 0; attempt < 10; ++attempt) {
        SetCursorPos(pointer.x, pointer.y);
        Sleep(50);
        if (placed()) {
            Sleep(50);
            if (placed())
                break;
        }
    }
    PostIconMouse(WM_RBUTTONDOWN);
    PostIconMouse(WM_RBUTTONUP);
    OpenMenu menu = WaitForPopupMenu(m_dialog.ProcessId());
    EXPECT_TRUE(menu) << "a right button press on the icon opened no menu";
    return menu;
}

std::vector<MenuEntry> TrayFixture::IconMenuEntries() const
{
    const OpenMenu menu = OpenIconMenu({400, 300});
    if (!menu)
        return {};
    std::vector<MenuEntry> entries = MenuEntries(m_dialog.ProcessId(), menu.menu);
    CloseWithEscape(menu);
    EXPECT_TRUE(WaitUntil([&] { return !menu.window.Visible(); })) << "Escape did not close the icon's menu";
    return entries;
}

void TrayFixture::ChooseFromIconMenu(UINT command) const
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        const OpenMenu menu = OpenIconMenu({400, 300});
        if (!menu)
            return;
        const bool chosen = ChooseWithKeyboard(menu, command);
        EXPECT_TRUE(WaitUntil([&] { return !menu.window.Visible(); }))
            << "the icon's menu stayed open after choosing command " << command;
        if (chosen)
            return;
    }
    ADD_FAILURE() << "the icon's menu closed by itself three times before command " << command << " was chosen";
}

bool TrayFixture::WaitForDialogBack() const
{
    const bool back = WaitUntil([&] { return m_dialog.Visible() && !m_dialog.Minimized() && m_dialog.Foreground(); });
    Sleep(200);
    return back;
}

TrayIcon TrayFixture::WaitForOneIcon() const
{
    std::vector<TrayIcon> icons;
    WaitUntil(
        [&] {
            icons = ShellTrayIcons();
            return icons.size() == 1;
        },
        kActionTimeout, 20);
    if (icons.size() != 1) {
        ADD_FAILURE() << "the shell shows " << icons.size() << " icons, not one";
        return TrayIcon();
    }
    return icons.front();
}

bool TrayFixture::NoIconFor(DWORD ms) const
{
    const DWORD start = GetTickCount();
    do {
        if (!ShellTrayIcons().empty())
            return false;
        Sleep(20);
    } while (GetTickCount() - start < ms);
    return ShellTrayIcons().empty();
}

MenuEntry EntryWithCommand(const std::vector<MenuEntry>& entries, UINT command)
{
    for (const MenuEntry& entry : entries)
        if (!entry.separator && entry.command == command)
            return entry;
    return MenuEntry();
}

}  // namespace e2e
