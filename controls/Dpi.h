// The display resolution a window or a point of the screen is shown at, and
// the system sizes that follow it. The calls that give a per-monitor answer
// exist only on newer systems (Windows 8.1 and 10); they are looked up at run
// time so that the program still loads on the oldest, which get the
// resolution of the whole screen instead.
#pragma once
#include <windows.h>

// Sent from Windows 8.1 on; the headers give it only to programs built for it.
#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace quellix {

// The resolution of the monitor `hWnd` is on (per-monitor aware), else the system's.
UINT WindowDpi(HWND hWnd);
// The resolution of the monitor that holds `pt`, else the system's.
UINT DpiAtPoint(POINT pt);
// A system metric (SM_CXSMICON, ...) at `dpi`.
int SystemMetricForDpi(int index, UINT dpi);
// WM_DPICHANGED (moved to a monitor of another resolution, per-monitor aware
// on Windows 8.1 and later): the window takes the rectangle the system
// suggests; returns the new resolution, for the font and pictures to follow.
UINT TakeDpiChange(HWND hWnd, WPARAM wParam, LPARAM lParam);

}  // namespace quellix
