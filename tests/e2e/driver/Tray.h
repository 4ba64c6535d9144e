// The notification area of the shell's task bar, the screen's pixels and the
// mouse, read and worked the way a user sees and uses them: which icons show
// and what their tips say, clicks at a point, popup menus opened there.
#pragma once
#include "tests/e2e/driver/Menus.h"
#include "tests/e2e/driver/Wait.h"
#include "tests/e2e/driver/Window.h"

#include <string>
#include <vector>

namespace e2e {

// One icon of the notification area as the shell shows it now.
struct TrayIcon {
    RECT rect = {};  // on the screen
    std::string tip;
    POINT Centre() const { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }
};

// The icons the shell shows now. Wine's task bar keeps a tool tip per icon it
// has shown, anchored at the icon's place while the icon is there and at an
// empty place once it is gone; those anchors are the icons.
std::vector<TrayIcon> ShellTrayIcons();
// Waits until the shell shows exactly `count` icons; false after the time-out.
bool WaitForTrayIconCount(size_t count, DWORD timeoutMs = kActionTimeout);

// Takes an icon out of the notification area, as its owner would
// (Shell_NotifyIcon NIM_DELETE); true if the shell had it.
bool RemoveTrayIcon(HWND owner, UINT id);

// True when the screen shows Quellix's icon (a white power sign on red) in
// `rect`: enough of its strongly red pixels are there.
bool ShowsQuellixIcon(const RECT& rect);

// Points the mouse at the icon (a real move) and waits for the shell's tip
// window; the window once it shows, or an empty one. The pointer stays.
Window PointAtIcon(const TrayIcon& icon, DWORD timeoutMs = 4000);
// The same, then the mouse is moved away again: the text the tip showed, or
// "" when none showed.
std::string HoverTip(const TrayIcon& icon, DWORD timeoutMs = 4000);

COLORREF ScreenPixel(int x, int y);
// True when each of red, green and blue differs by at most `tolerance`.
bool ColorNear(COLORREF actual, COLORREF expected, int tolerance);
std::string ColorText(COLORREF color);  // "0xBBGGRR"

// An open popup menu of a process: its "#32768" window and the menu it shows.
struct OpenMenu {
    Window window;
    HMENU menu = NULL;
    explicit operator bool() const { return static_cast<bool>(window); }
};
// Waits for a visible popup menu of process `pid`; empty after the time-out.
OpenMenu WaitForPopupMenu(DWORD pid, DWORD timeoutMs = kActionTimeout);
// Chooses the entry with command `command` as a user does with the keyboard:
// arrow keys down to it, then Enter. Does not wait. False when the menu closed
// before all the keys reached it (Wine closes a menu that loses the focus it
// has just been given): nothing was chosen then.
bool ChooseWithKeyboard(const OpenMenu& menu, UINT command);
// Escape, twice: leaves the entry, then the menu. Does not wait.
void CloseWithEscape(const OpenMenu& menu);

}  // namespace e2e
