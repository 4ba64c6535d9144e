#include "controls/Dpi.h"

#include "afx/Gdi.h"
#include "afx/SystemFunctions.h"
#include "controls/dpi_scale.h"

namespace quellix {

namespace {
UINT ScreenDpi()
{
    CScreenDC screen;
    const int dpi = screen.m_hDC ? screen.GetDeviceCaps(LOGPIXELSY) : 0;
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

UINT TakeDpiChange(HWND hWnd, WPARAM wParam, LPARAM lParam)
{
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (suggested)
        ::SetWindowPos(hWnd, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    return HIWORD(wParam);
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
