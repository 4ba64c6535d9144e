// Steps shared by the tests of the notification icon and of the popups: a
// fixture that leaves no icon behind, the icon's mouse messages as the shell
// sends them, and its menu.
#pragma once
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/driver/Popups.h"
#include "tests/e2e/driver/Tray.h"

#include <string>
#include <vector>

namespace e2e {

class TrayFixture : public QuellixTest {
protected:
    // Takes out an icon the program still has in the notification area (a
    // killed program cannot), then the usual clean-up.
    void TearDown() override;

    // Starts the first copy with the probe recording what it draws as text.
    Dialog StartRecordedCopy();

    // The shell's report of a mouse message on the icon, posted to the dialog.
    void PostIconMouse(UINT mouseMessage) const;
    // A right button press on the icon reported with the mouse pointer at
    // `pointer`: the icon's menu, once it is open.
    OpenMenu OpenIconMenu(POINT pointer) const;
    // The entries of the icon's menu: opens it, reads it, closes it again.
    std::vector<MenuEntry> IconMenuEntries() const;
    // Chooses an entry of the icon's menu with the keyboard and waits for the
    // menu to close.
    void ChooseFromIconMenu(UINT command) const;

    // Waits until the dialog is back: shown, not minimised, in front, and
    // (a little later) done with its restore, which lets sent messages in
    // while it tells the shell. False after the time-out.
    bool WaitForDialogBack() const;

    // The one icon the shell shows; a failure and an empty icon when there is
    // not exactly one within the time-out.
    TrayIcon WaitForOneIcon() const;
    // True when, for `ms` milliseconds, the shell shows no icon.
    bool NoIconFor(DWORD ms) const;

    Dialog m_dialog;
};

// The entry with `command` in `entries`, or an empty entry.
MenuEntry EntryWithCommand(const std::vector<MenuEntry>& entries, UINT command);

}  // namespace e2e
