#include "controls/Dpi.h"

#include "controls/dpi_scale.h"

namespace quellix {

namespace {
typedef UINT(WINAPI* GetDpiForWindowFn)(HWND);
typedef int(WINAPI* GetSystemMetricsForDpiFn)(int, UINT);
typedef HRESULT(WINAPI* GetDpiForMonitorFn)(HMONITOR, int, UINT*, UINT*);
typedef HMONITOR(WINAPI* MonitorFromPointFn)(POINT, DWORD);

const int kEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI

// A function of `module` that this system may lack; NULL when it does.
template <class Fn> Fn Lookup(HMODULE module, const char* name)
{
    return module ? reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : NULL;
}

template <class Fn> Fn User32Function(const char* name) { return Lookup<Fn>(::GetModuleHandleA("user32.dll"), name); }

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
    static const GetDpiForWindowFn getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow && hWnd) {
        const UINT dpi = getDpiForWindow(hWnd);
        if (dpi)
            return dpi;
    }
    return ScreenDpi();
}

UINT DpiAtPoint(POINT pt)
{
    // shcore.dll (Windows 8.1) is loaded only when a popup asks, never at start-up.
    static const GetDpiForMonitorFn getDpiForMonitor =
        Lookup<GetDpiForMonitorFn>(::LoadLibraryA("shcore.dll"), "GetDpiForMonitor");
    static const MonitorFromPointFn monitorFromPoint = User32Function<MonitorFromPointFn>("MonitorFromPoint");
    if (getDpiForMonitor && monitorFromPoint) {
        UINT dpiX = 0, dpiY = 0;
        HMONITOR monitor = monitorFromPoint(pt, MONITOR_DEFAULTTOPRIMARY);
        if (monitor && SUCCEEDED(getDpiForMonitor(monitor, kEffectiveDpi, &dpiX, &dpiY)) && dpiY)
            return dpiY;
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, UINT dpi)
{
    static const GetSystemMetricsForDpiFn getSystemMetricsForDpi =
        User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
    if (getSystemMetricsForDpi)
        return getSystemMetricsForDpi(index, dpi);
    // Older systems know the metrics at the screen's resolution only.
    const int metric = ::GetSystemMetrics(index);
    const UINT screen = ScreenDpi();
    return screen == dpi ? metric : ::MulDiv(metric, static_cast<int>(dpi), static_cast<int>(screen));
}

}  // namespace quellix
