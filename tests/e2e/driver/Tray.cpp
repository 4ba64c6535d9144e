#include "tests/e2e/driver/Tray.h"

#include "afx/Gdi.h"
#include "tests/e2e/driver/Process.h"

#include <commctrl.h>
#include <shellapi.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdio>
#include <cstdlib>

namespace e2e {

namespace {

constexpr char kTrayClass[] = "Shell_TrayWnd";
constexpr char kTipClass[] = "tooltips_class32";
constexpr char kMenuClass[] = "#32768";
constexpr UINT kGetMenuHandle = 0x01E1;  // MN_GETHMENU

// Tool tip windows of the task bar's process.
std::vector<Window> ShellTipWindows(const Window& tray)
{
    std::vector<Window> tips;
    for (HWND window : TopLevelWindows(tray.ProcessId()))
        if (Window(window).ClassName() == kTipClass)
            tips.push_back(window);
    return tips;
}

// The tools of one tip window, with their texts; the texts and tool records
// live in the shell's process, so they are read through memory there.
struct Tool {
    HWND window;
    RECT rect;
    std::string text;
};

std::vector<Tool> ToolsOf(const Window& tip)
{
    struct Record {
        TTTOOLINFOW info;
        WCHAR text[256];
    };
    std::vector<Tool> tools;
    RemoteBuffer remote(tip.ProcessId(), sizeof(Record));
    const LRESULT count = tip.Send(TTM_GETTOOLCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        Record record = {};
        record.info.cbSize = sizeof record.info;
        remote.Write(&record, sizeof record);
        if (!SendMessageTimeoutW(tip.Handle(), TTM_ENUMTOOLSW, i, remote.Address(), SMTO_NORMAL, 5000, NULL))
            break;
        remote.Read(&record, sizeof record);
        record.info.lpszText = reinterpret_cast<LPWSTR>(remote.Address() + offsetof(Record, text));
        record.text[0] = L'\0';
        remote.Write(&record, sizeof record);
        SendMessageTimeoutW(tip.Handle(), TTM_GETTEXTW, ARRAYSIZE(record.text), remote.Address(), SMTO_NORMAL, 5000,
                            NULL);
        remote.Read(&record, sizeof record);
        record.text[ARRAYSIZE(record.text) - 1] = L'\0';
        char text[ARRAYSIZE(record.text) * 2] = {};
        WideCharToMultiByte(CP_ACP, 0, record.text, -1, text, sizeof text, NULL, NULL);
        tools.push_back({record.info.hwnd, record.info.rect, text});
    }
    return tools;
}

}  // namespace

std::vector<TrayIcon> ShellTrayIcons()
{
    std::vector<TrayIcon> icons;
    Window tray(FindWindowA(kTrayClass, NULL));
    if (!tray)
        return icons;
    for (const Window& tip : ShellTipWindows(tray)) {
        for (const Tool& tool : ToolsOf(tip)) {
            if (tool.window != tray.Handle() || IsRectEmpty(&tool.rect))
                continue;
            TrayIcon icon;
            icon.rect = tool.rect;
            MapWindowPoints(tray.Handle(), NULL, reinterpret_cast<POINT*>(&icon.rect), 2);
            icon.tip = tool.text;
            icons.push_back(icon);
        }
    }
    return icons;
}

bool WaitForTrayIconCount(size_t count, DWORD timeoutMs)
{
    return WaitUntil([&] { return ShellTrayIcons().size() == count; }, timeoutMs, 20);
}

bool RemoveTrayIcon(HWND owner, UINT id)
{
    // Looked up at run time: this program is not linked with the shell.
    typedef BOOL(WINAPI * NotifyIcon)(DWORD, NOTIFYICONDATAA*);
    HMODULE shell = LoadLibraryA("shell32.dll");
    auto notify = reinterpret_cast<NotifyIcon>(
        shell ? reinterpret_cast<void*>(GetProcAddress(shell, "Shell_NotifyIconA")) : nullptr);
    if (!notify) {
        ADD_FAILURE() << "Shell_NotifyIconA not found: " << LastErrorText();
        return false;
    }
    NOTIFYICONDATAA record = {};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = owner;
    record.uID = id;
    return notify(NIM_DELETE, &record) != FALSE;
}

bool ShowsQuellixIcon(const RECT& rect)
{
    CScreenDC screen;
    int red = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const COLORREF c = GetPixel(screen, x, y);
            if (GetRValue(c) >= 180 && GetGValue(c) <= 130 && GetBValue(c) <= 100)
                ++red;
        }
    }
    return red >= 40;  // of the 16x16 picture, well over half is red
}

Window PointAtIcon(const TrayIcon& icon, DWORD timeoutMs)
{
    Window tray(FindWindowA(kTrayClass, NULL));
    const POINT centre = icon.Centre();
    MoveMouseTo({centre.x - 1, centre.y - 1});
    Sleep(50);
    MoveMouseTo(centre);
    Window shown;
    WaitUntil(
        [&] {
            for (const Window& tip : ShellTipWindows(tray)) {
                if (tip.Visible() && !tip.Text().empty()) {
                    shown = tip;
                    return true;
                }
            }
            return false;
        },
        timeoutMs, 20);
    return shown;
}

std::string HoverTip(const TrayIcon& icon, DWORD timeoutMs)
{
    const Window tip = PointAtIcon(icon, timeoutMs);
    const std::string text = tip ? tip.Text() : "";
    MoveMouseTo({600, 200});
    return text;
}

COLORREF ScreenPixel(int x, int y) { return GetPixel(CScreenDC(), x, y); }

bool ColorNear(COLORREF actual, COLORREF expected, int tolerance)
{
    return abs(GetRValue(actual) - GetRValue(expected)) <= tolerance &&
           abs(GetGValue(actual) - GetGValue(expected)) <= tolerance &&
           abs(GetBValue(actual) - GetBValue(expected)) <= tolerance;
}

std::string ColorText(COLORREF color)
{
    char text[16];
    snprintf(text, sizeof text, "0x%06lX", static_cast<unsigned long>(color));
    return text;
}

OpenMenu WaitForPopupMenu(DWORD pid, DWORD timeoutMs)
{
    OpenMenu found;
    found.window = WaitForTopLevel(
        pid, [](const Window& w) { return w.Visible() && w.ClassName() == kMenuClass; }, timeoutMs);
    if (found)
        found.menu = reinterpret_cast<HMENU>(found.window.Send(kGetMenuHandle));
    return found;
}

bool ChooseWithKeyboard(const OpenMenu& menu, UINT command)
{
    int downs = 0;
    bool seen = false;
    for (const MenuEntry& entry : MenuEntries(menu.window.ProcessId(), menu.menu)) {
        if (entry.separator)
            continue;
        ++downs;
        if (entry.command == command) {
            seen = true;
            break;
        }
    }
    if (!seen) {
        ADD_FAILURE() << "the open menu has no entry with command " << command;
        return true;
    }
    for (int i = 0; i < downs; ++i) {
        if (!menu.window.PostKeyStroke(VK_DOWN))
            return false;
    }
    return menu.window.PostKeyStroke(VK_RETURN);
}

void CloseWithEscape(const OpenMenu& menu)
{
    // The first Escape may close the menu before the rest arrive: a menu that
    // is gone has done what they ask, and the caller checks that it closed.
    if (menu.window.PostKeyStroke(VK_ESCAPE))
        menu.window.PostKeyStroke(VK_ESCAPE);
}

}  // namespace e2e
