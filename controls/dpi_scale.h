// Pixel sizes at a display's resolution. The program's sizes are given for
// 96 dots per inch (100 %); at other resolutions they grow in proportion.
#pragma once

namespace quellix {

constexpr unsigned kDefaultDpi = 96;

// `pixels` at 96 DPI, scaled to `dpi` and rounded to the nearest pixel (half
// away from zero, as the system's MulDiv). An unknown resolution (0) scales nothing.
int ScaleForDpi(int pixels, unsigned dpi);

// Height of the control font (Tahoma, 13 pixels at 96 DPI) at `dpi`.
int ControlFontHeight(unsigned dpi);

}  // namespace quellix
