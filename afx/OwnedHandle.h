// COwnedHandle: owns one system handle and frees it with `Free` (DeleteObject
// for GDI objects, DestroyMenu for menus, DestroyIcon for icons, DeleteDC for
// created device contexts, CloseKey for registry keys) when another is
// attached, when asked and when the owner goes.
#pragma once
#include <windows.h>

template <typename Handle, BOOL(WINAPI* Free)(Handle)> class COwnedHandle {
public:
    COwnedHandle() = default;
    ~COwnedHandle() { Release(); }
    COwnedHandle(const COwnedHandle&) = delete;
    COwnedHandle& operator=(const COwnedHandle&) = delete;

    // Takes `handle`, freeing the one held before; NULL changes nothing, and
    // the handle already held stays as it is (freeing it would leave a dead one).
    BOOL Attach(Handle handle)
    {
        if (!handle)
            return FALSE;
        if (handle == m_handle)
            return TRUE;
        Release();
        m_handle = handle;
        return TRUE;
    }
    Handle GetSafeHandle() const { return m_handle; }
    // Gives the handle up without freeing it.
    Handle Detach()
    {
        Handle handle = m_handle;
        m_handle = NULL;
        return handle;
    }

protected:
    // Frees the handle now; FALSE when none is held or freeing it fails.
    BOOL Release() { return m_handle ? Free(Detach()) : FALSE; }

    Handle m_handle = NULL;
};

namespace afx {
inline BOOL WINAPI CloseKey(HKEY hKey) { return ::RegCloseKey(hKey) == ERROR_SUCCESS; }
}  // namespace afx

// An open registry key, closed by its owner.
using CRegKey = COwnedHandle<HKEY, afx::CloseKey>;
