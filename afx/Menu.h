// CMenu: owns a menu handle (destroyed with the object unless detached).
#pragma once
#include <windows.h>

class CMenu {
public:
    CMenu() = default;
    ~CMenu() { DestroyMenu(); }
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = NULL;
    operator HMENU() const { return m_hMenu; }

    BOOL Attach(HMENU hMenu);
    HMENU Detach();
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, const char* text = NULL)
    {
        return ::AppendMenuA(m_hMenu, nFlags, nIDNewItem, text);
    }
    BOOL SetDefaultItem(UINT uItem, BOOL fByPos = FALSE) { return ::SetMenuDefaultItem(m_hMenu, uItem, fByPos); }
    BOOL SetMenuItemBitmaps(UINT nPosition, UINT nFlags, HBITMAP unchecked, HBITMAP checked)
    {
        return ::SetMenuItemBitmaps(m_hMenu, nPosition, nFlags, unchecked, checked);
    }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable) { return ::EnableMenuItem(m_hMenu, nIDEnableItem, nEnable); }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck) { return ::CheckMenuItem(m_hMenu, nIDCheckItem, nCheck); }
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, HWND hOwner)
    {
        return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, hOwner, NULL);
    }
};
