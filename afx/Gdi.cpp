#include "afx/Gdi.h"

BOOL CBitmap::LoadBitmap(UINT nIDResource)
{
    return Attach(::LoadBitmapA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(nIDResource)));
}

void CDC::FillSolidRect(const RECT* rect, COLORREF crColor)
{
    // An opaque text-out of nothing fills with the background colour without a brush.
    ::SetBkColor(m_hDC, crColor);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, rect, NULL, 0, NULL);
}

CPaintDC::CPaintDC(HWND hWnd) : m_hWnd(hWnd) { m_hDC = ::BeginPaint(hWnd, &m_ps); }

CPaintDC::~CPaintDC() { ::EndPaint(m_hWnd, &m_ps); }
