// The program's popup notifier windows: found among its windows, measured,
// their painted colours sampled on the screen and their texts read through
// the in-process probe.
#pragma once
#include "tests/e2e/driver/Wait.h"
#include "tests/e2e/driver/Window.h"

#include <string>
#include <vector>

namespace e2e {

class Popup : public Window {
public:
    using Window::Window;

    RECT Rect() const;
    int Width() const;
    int Height() const;
    LONG ExStyle() const { return GetWindowLongA(m_hwnd, GWL_EXSTYLE); }
    // The screen colour of the gradient `fromRight` pixels in from the
    // gradient's right end, in the top row of the window's inside (the text
    // and the corner picture never reach it).
    COLORREF GradientPixel(int fromRight) const;
};

// The visible popups of process `pid`, from right to left: its top-most
// tool windows without a caption, other than tips.
std::vector<Popup> VisiblePopups(DWORD pid);
// The popups of process `pid` that exist, shown yet or not (a popup shows
// at its first animation step, 20 ms after it was made).
std::vector<Popup> ExistingPopups(DWORD pid);
// Waits until process `pid` shows `count` popups; all of them then, or none
// after the time-out.
std::vector<Popup> WaitForPopups(DWORD pid, size_t count, DWORD timeoutMs = kActionTimeout);
// Waits until `popup` has grown to `height` pixels; false after the time-out.
bool WaitForHeight(const Popup& popup, int height, DWORD timeoutMs = 2000);

// The text the program last drew into a window, read through the probe, with
// the font it drew in ("Tahoma 13"). StartRecordingDrawnText must have been
// called before the window painted.
struct DrawnText {
    std::string font;
    std::string text;  // lines joined by '\n'
};
void StartRecordingDrawnText(DWORD pid);
DrawnText DrawnTextOf(const Window& window);

}  // namespace e2e
