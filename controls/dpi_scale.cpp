#include "controls/dpi_scale.h"

namespace quellix {

namespace {
constexpr int kControlFontHeight = 13;
constexpr int kTemplateBaseUnitX = 6;  // MS Sans Serif 8 at 96 DPI
}  // namespace

int ScaleForDpi(int pixels, unsigned dpi)
{
    if (dpi == 0 || dpi == kDefaultDpi)
        return pixels;
    const long long scaled = static_cast<long long>(pixels) * dpi;
    const long long half = kDefaultDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDefaultDpi : -((-scaled + half) / kDefaultDpi));
}

int ControlFontHeight(unsigned dpi) { return ScaleForDpi(kControlFontHeight, dpi); }

int DialogFontHeight(unsigned dpi, int baseUnitX)
{
    const int atDpi = ControlFontHeight(dpi);
    if (baseUnitX <= 0)
        return atDpi;
    // Rounded up: the layout has the room of a whole pixel more at 96 DPI.
    const int layout = (kControlFontHeight * baseUnitX + kTemplateBaseUnitX - 1) / kTemplateBaseUnitX;
    return layout < atDpi ? layout : atDpi;
}

}  // namespace quellix
