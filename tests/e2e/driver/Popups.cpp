#include "tests/e2e/driver/Popups.h"

#include "tests/e2e/driver/Probe.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Tray.h"

#include <algorithm>

namespace e2e {

RECT Popup::Rect() const
{
    RECT rect = {};
    GetWindowRect(m_hwnd, &rect);
    return rect;
}

int Popup::Width() const
{
    const RECT rect = Rect();
    return rect.right - rect.left;
}

int Popup::Height() const
{
    const RECT rect = Rect();
    return rect.bottom - rect.top;
}

COLORREF Popup::GradientPixel(int fromRight) const
{
    // The gradient spans the outer width; the sunken edge covers its outer pixels.
    const RECT rect = Rect();
    POINT inside = {0, 0};
    ClientToScreen(m_hwnd, &inside);
    return ScreenPixel(rect.right - 1 - fromRight, inside.y);
}

std::vector<Popup> ExistingPopups(DWORD pid)
{
    std::vector<Popup> popups;
    for (HWND window : TopLevelWindows(pid)) {
        Popup popup(window);
        const std::string name = popup.ClassName();
        const LONG style = popup.Style();
        if ((popup.ExStyle() & WS_EX_TOOLWINDOW) && (popup.ExStyle() & WS_EX_TOPMOST) && (style & WS_POPUP) &&
            !(style & WS_CAPTION) && name != "tooltips_class32")
            popups.push_back(popup);
    }
    return popups;
}

std::vector<Popup> VisiblePopups(DWORD pid)
{
    std::vector<Popup> popups;
    for (const Popup& popup : ExistingPopups(pid))
        if (popup.Visible())
            popups.push_back(popup);
    std::sort(popups.begin(), popups.end(),
              [](const Popup& a, const Popup& b) { return a.Rect().right > b.Rect().right; });
    return popups;
}

std::vector<Popup> WaitForPopups(DWORD pid, size_t count, DWORD timeoutMs)
{
    std::vector<Popup> popups;
    WaitUntil(
        [&] {
            popups = VisiblePopups(pid);
            return popups.size() == count;
        },
        timeoutMs, 5);
    return popups.size() == count ? popups : std::vector<Popup>();
}

bool WaitForHeight(const Popup& popup, int height, DWORD timeoutMs)
{
    return WaitUntil([&] { return popup.Height() == height; }, timeoutMs, 5);
}

void StartRecordingDrawnText(DWORD pid) { AskProbe(pid, "drawntext", 0); }

DrawnText DrawnTextOf(const Window& window)
{
    DrawnText drawn;
    if (!window)
        return drawn;
    const std::vector<std::string> lines =
        AskProbe(window.ProcessId(), "drawntext", reinterpret_cast<ULONG_PTR>(window.Handle()));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i == 0 && lines[i].rfind("font ", 0) == 0) {
            drawn.font = lines[i].substr(5);
            continue;
        }
        drawn.text += (drawn.text.empty() && i == 1 ? "" : "\n") + lines[i];
    }
    return drawn;
}

}  // namespace e2e
