// CMenu: owns a menu handle (destroyed with the object unless detached).
#pragma once
#include <windows.h>

#include "afx/OwnedHandle.h"

class CMenu : public COwnedHandle<HMENU, ::DestroyMenu> {
public:
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL DestroyMenu() { return Release(); }

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* text = NULL)
    {
        return ::AppendMenuA(m_handle, nFlags, nIDNewItem, text);
    }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_handle, uItem, fByPos); }
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, HBITMAP unchecked, HBITMAP checked)
    {
        return ::SetMenuItemBitmaps(m_handle, nPosition, nFlags, unchecked, checked);
    }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_handle, nIDEnableItem, nEnable); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_handle, nIDCheckItem, nCheck); }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, HWND hOwner)
    {
        return ::TrackPopupMenu(m_handle, nFlags, x, y, 0, hOwner, NULL);
    }
};
