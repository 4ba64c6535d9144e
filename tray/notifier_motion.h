// Geometry and animation arithmetic of the popup notifier window.
#pragma once

#include "afx/rect32.h"
#include "controls/dpi_scale.h"

namespace quellix {

using afx::Rect32;
using afx::ToRect32;

// Window rectangle at creation: at the bottom right of the work area, each
// popup already open moving the new one 10 pixels further left. The offsets
// are pixels at 96 DPI, scaled to `dpi`; width and height are taken as given.
Rect32 NotifierStartRect(const Rect32& workArea, int width, int height, int openCount, unsigned dpi = kDefaultDpi);

// The popup grows out of `bottom` by 5 pixels (at 96 DPI, scaled to `dpi`, so
// that it rises as fast at every scaling) every 20 ms step up to its full
// height, holds until the stay time (counted from launch) has passed, then
// shrinks by as much a step.
class NotifierMotion {
public:
    NotifierMotion(int bottom, int height, int stayMs, unsigned dpi = kDefaultDpi);
    // One timer step; true once the window has sunk away and is to be destroyed.
    bool Step();
    int Top() const { return m_top; }
    int Bottom() const { return m_bottom; }
    int Elapsed() const { return static_cast<int>(m_elapsed); }
    bool Rising() const { return m_rising; }

private:
    int m_bottom, m_height, m_stayMs, m_top, m_stepPixels;
    unsigned m_elapsed = 0;  // compared unsigned with the stay time
    bool m_rising = true;
};

// Top of the centred text block, (bottom - textHeight - top) / 2 computed
// unsigned. False when the text is taller than the window: the offset is then
// far outside it and the text is not drawn in this frame.
bool TextTopIfFits(int rectTop, int rectBottom, int textHeight, int* textTop);

}  // namespace quellix
