// The framework layer in one include: application, windows and dialogs with
// message tables and data exchange, controls, strings, time, GDI, menus, threads.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include "afx/App.h"
#include "afx/Controls.h"
#include "afx/DataExchange.h"
#include "afx/Dialog.h"
#include "afx/Gdi.h"
#include "afx/Menu.h"
#include "afx/MessageMap.h"
#include "afx/String.h"
#include "afx/Thread.h"
#include "afx/Time.h"
#include "afx/Wnd.h"

// A window class for windows that paint themselves; the name stays valid until the next call.
const char* AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor = NULL, HBRUSH hbrBackground = NULL,
                                HICON hIcon = NULL);
