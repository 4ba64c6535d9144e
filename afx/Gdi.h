// GDI wrappers: geometry, objects that delete what they hold, device contexts.
#pragma once
#include <windows.h>

#include "afx/OwnedHandle.h"

struct CRect : RECT {
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

// Owns one GDI object handle and deletes it when asked or when destroyed.
class CGdiObject : public COwnedHandle<HGDIOBJ, ::DeleteObject> {
public:
    virtual ~CGdiObject() = default;

    BOOL DeleteObject() { return Release(); }
};

class CFont : public CGdiObject {
public:
    BOOL CreateFontIndirect(const LOGFONTA* pLogFont) { return Attach(::CreateFontIndirectA(pLogFont)); }
};

class CBitmap : public CGdiObject {
public:
    operator HBITMAP() const { return static_cast<HBITMAP>(m_handle); }
    BOOL LoadBitmap(UINT nIDResource);
    int GetBitmap(BITMAP* pBitmap) const { return ::GetObjectA(m_handle, sizeof(BITMAP), pBitmap); }
};

class CPen : public CGdiObject {
public:
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor)
    {
        return Attach(::CreatePen(nPenStyle, nWidth, crColor));
    }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { Attach(::CreateSolidBrush(crColor)); }
    operator HBRUSH() const { return static_cast<HBRUSH>(m_handle); }
};

class CPalette : public CGdiObject {
public:
    operator HPALETTE() const { return static_cast<HPALETTE>(m_handle); }
    BOOL CreatePalette(const LOGPALETTE* pLogPalette) { return Attach(::CreatePalette(pLogPalette)); }
};

// A device context that this object does not own (see CPaintDC for one that ends painting).
class CDC {
public:
    CDC() = default;
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = NULL;
    operator HDC() const { return m_hDC; }

    HPALETTE SelectPalette(HPALETTE hPalette, BOOL bForceBackground)
    {
        return ::SelectPalette(m_hDC, hPalette, bForceBackground);
    }
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }
    int SetBkMode(int nMode) { return ::SetBkMode(m_hDC, nMode); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    int DrawText(const char* text, int length, LPRECT rect, UINT format)
    {
        return ::DrawTextA(m_hDC, text, length, rect, format);
    }
    void FillSolidRect(const RECT* rect, COLORREF crColor);
    int FillRect(const RECT* rect, HBRUSH hBrush) { return ::FillRect(m_hDC, rect, hBrush); }
    BOOL BitBlt(int x, int y, int width, int height, CDC* pSrc, int xSrc, int ySrc, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, width, height, pSrc->m_hDC, xSrc, ySrc, rop);
    }
    BOOL MoveTo(int x, int y) { return ::MoveToEx(m_hDC, x, y, NULL); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(m_hDC, x, y, hIcon); }
};

// A memory device context compatible with `pDC` (with the screen when NULL),
// deleted by its owner; m_hDC is NULL when none could be created.
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(const CDC* pDC)
    {
        m_owned.Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : NULL));
        m_hDC = m_owned.GetSafeHandle();
    }

private:
    COwnedHandle<HDC, ::DeleteDC> m_owned;
};

// The screen's device context, released by its owner.
class CScreenDC : public CDC {
public:
    CScreenDC() { m_hDC = ::GetDC(NULL); }
    ~CScreenDC() override
    {
        if (m_hDC)
            ::ReleaseDC(NULL, m_hDC);
    }
};

// Selects an object into a device context for the guard's life, then puts
// back the one it replaced. Declared after the object, so that the object is
// no longer selected when it is deleted.
class CSelection {
public:
    CSelection(HDC hDC, HGDIOBJ hObject) : m_hDC(hDC), m_hOld(hDC && hObject ? ::SelectObject(hDC, hObject) : NULL) {}
    ~CSelection()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }
    CSelection(const CSelection&) = delete;
    CSelection& operator=(const CSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

class CPaintDC : public CDC {
public:
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps = {};

private:
    HWND m_hWnd;
};
