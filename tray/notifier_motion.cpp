#include "tray/notifier_motion.h"

#include <cstdint>

namespace quellix {

namespace {
constexpr int kStepMs = 20, kStepPixels = 5, kRightMargin = 10, kShiftPerOpen = 10;
}

Rect32 NotifierStartRect(const Rect32& workArea, int width, int height, int openCount, unsigned dpi)
{
    Rect32 r;
    r.right = workArea.right - ScaleForDpi(kRightMargin, dpi) - ScaleForDpi(kShiftPerOpen, dpi) * openCount;
    r.left = r.right - width;
    r.bottom = workArea.bottom;
    r.top = r.bottom - height;
    return r;
}

NotifierMotion::NotifierMotion(int bottom, int height, int stayMs, unsigned dpi)
    : m_bottom(bottom), m_height(height), m_stayMs(stayMs), m_top(bottom), m_stepPixels(ScaleForDpi(kStepPixels, dpi))
{
}

bool NotifierMotion::Step()
{
    m_elapsed += kStepMs;
    if (m_elapsed > static_cast<unsigned>(m_stayMs))
        m_rising = false;
    if (m_rising) {
        const int highest = m_bottom - m_height;
        m_top = m_top - m_stepPixels < highest ? highest : m_top - m_stepPixels;
    } else {
        m_top = m_top + m_stepPixels > m_bottom ? m_bottom : m_top + m_stepPixels;
    }
    return m_top == m_bottom;
}

bool TextTopIfFits(int rectTop, int rectBottom, int textHeight, int* textTop)
{
    const uint32_t span =
        static_cast<uint32_t>(rectBottom) - static_cast<uint32_t>(textHeight) - static_cast<uint32_t>(rectTop);
    if (textTop)
        *textTop = static_cast<int>(span / 2);
    return (span & 0x80000000u) == 0;
}

}  // namespace quellix
