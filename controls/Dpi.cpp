#include "controls/Dpi.h"

#include "afx/SystemFunctions.h"
#include "controls/dpi_scale.h"

namespace quellix {

namespace {
UINT ScreenDpi()
{
    HDC hdc = ::GetDC(NULL);
    const int dpi = hdc ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 0;
    if (hdc)
        ::ReleaseDC(NULL, hdc);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}
}  // namespace

UINT WindowDpi(HWND hWnd)
{
    const UINT dpi = afx::GetDpiForWindow(hWnd);
    return dpi ? dpi : ScreenDpi();
}

UINT DpiAtPoint(POINT pt)
{
    const UINT dpi = afx::GetDpiForMonitorAt(pt);
    return dpi ? dpi : ScreenDpi();
}

int SystemMetricForDpi(int index, UINT dpi)
{
    const int forDpi = afx::GetSystemMetricsForDpi(index, dpi);
    if (forDpi >= 0)
        return forDpi;
    // Older systems know the metrics at the screen's resolution only.
    const int metric = ::GetSystemMetrics(index);
    const UINT screen = ScreenDpi();
    return screen == dpi ? metric : ::MulDiv(metric, static_cast<int>(dpi), static_cast<int>(screen));
}

}  // namespace quellix
