// High contrast: the user's choice of the system's colours over a program's
// own. While it is on, the link's fixed blue and the popups' gradients give
// way to the system colours meant for them.
#pragma once
#include <windows.h>

namespace quellix {

// Whether high contrast is on now (asked anew each time: the user may switch
// it while the program runs).
bool HighContrastOn();

// The system colour `index`, or that of `fallback` on a system that does not
// know `index` (COLOR_HOTLIGHT came with Windows 98 and 2000).
COLORREF SystemColor(int index, int fallback);

}  // namespace quellix
