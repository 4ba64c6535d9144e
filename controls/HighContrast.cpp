#include "controls/HighContrast.h"

namespace quellix {

bool HighContrastOn()
{
    HIGHCONTRASTA setting = {};
    setting.cbSize = sizeof setting;
    return ::SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
}

COLORREF SystemColor(int index, int fallback)
{
    // An index the system does not know has no brush.
    return ::GetSysColorBrush(index) ? ::GetSysColor(index) : ::GetSysColor(fallback);
}

}  // namespace quellix
