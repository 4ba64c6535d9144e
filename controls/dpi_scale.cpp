#include "controls/dpi_scale.h"

namespace quellix {

namespace {
constexpr int kControlFontHeight = 13;
}

int ScaleForDpi(int pixels, unsigned dpi)
{
    if (dpi == 0 || dpi == kDefaultDpi)
        return pixels;
    const long long scaled = static_cast<long long>(pixels) * dpi;
    const long long half = kDefaultDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / kDefaultDpi : -((-scaled + half) / kDefaultDpi));
}

int ControlFontHeight(unsigned dpi) { return ScaleForDpi(kControlFontHeight, dpi); }

}  // namespace quellix
