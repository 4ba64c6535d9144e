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

// Height of the control font in a dialog laid out in dialog units whose
// horizontal base unit is `baseUnitX` pixels (6 for the templates' font at
// 96 DPI): as at `dpi`, but never wider than the layout grew, so that no text
// is cut off where the template's font does not scale with the DPI (a bitmap
// font has only a few sizes).
int DialogFontHeight(unsigned dpi, int baseUnitX);

}  // namespace quellix
