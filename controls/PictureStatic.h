// Finding the static control of a dialog that shows a picture: the banner
// (SS_BITMAP) or the program's icon (SS_ICON).
#pragma once
#include <windows.h>

namespace quellix {

// The dialog's first static control of picture type `type` (SS_BITMAP,
// SS_ICON, ...), or NULL.
inline HWND FindPictureStatic(HWND hDlg, LONG type)
{
    for (HWND child = ::GetWindow(hDlg, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (::lstrcmpiA(className, "Static") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == type)
            return child;
    }
    return NULL;
}

}  // namespace quellix
