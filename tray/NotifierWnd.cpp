#include "tray/NotifierWnd.h"

#include "afx/SystemFunctions.h"
#include "controls/ControlFont.h"
#include "controls/Dpi.h"
#include "controls/HighContrast.h"

using namespace quellix;

namespace {
const UINT_PTR kAnimationTimer = 16;
const UINT kStepMs = 20;
// Pixels at 96 DPI.
const int kBitmapRightMargin = 6;
const int kBitmapTop = 1;
}  // namespace

int CNotifierWnd::s_nOpenCount = 0;

BEGIN_MESSAGE_MAP(CNotifierWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_MESSAGE(WM_MOUSEACTIVATE, OnMouseActivate)
END_MESSAGE_MAP()

CNotifierWnd::CNotifierWnd(int nWidth, int nHeight)
    : m_rcWindow(), m_rcWorkArea(), m_nDpi(kDefaultDpi), m_nWidth(nWidth), m_nHeight(nHeight), m_nStayTime(3000),
      m_pBitmap(NULL), m_pMotion(NULL), m_bCounted(false), m_bAnnounced(false)
{
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &m_rcWorkArea, 0)) {
        // No work area known: the whole primary screen stands in for it.
        m_rcWorkArea.right = ::GetSystemMetrics(SM_CXSCREEN);
        m_rcWorkArea.bottom = ::GetSystemMetrics(SM_CYSCREEN);
    }
    // Sized for the monitor it rises on.
    POINT corner = {m_rcWorkArea.right - 1, m_rcWorkArea.bottom - 1};
    m_nDpi = DpiAtPoint(corner);
    m_nWidth = ScaleForDpi(nWidth, m_nDpi);
    m_nHeight = ScaleForDpi(nHeight, m_nDpi);
}

CNotifierWnd::~CNotifierWnd()
{
    delete m_pMotion;
    delete m_pBitmap;
}

BOOL CNotifierWnd::SetBitmap(UINT nIDResource)
{
    if (!m_pBitmap)
        m_pBitmap = new CBitmap;
    m_pBitmap->DeleteObject();
    return m_pBitmap->LoadBitmap(LOWORD(nIDResource));
}

BOOL CNotifierWnd::Popup(COLORREF crFirst, COLORREF crMiddle, COLORREF crLast)
{
    const char* className = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW);
    Rect32 start = NotifierStartRect(ToRect32(m_rcWorkArea), m_nWidth, m_nHeight, s_nOpenCount, m_nDpi);
    BOOL created =
        CreateEx(WS_EX_CLIENTEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_TOPMOST, className, m_strText, WS_POPUP,
                 start.left, start.top, start.right - start.left, start.bottom - start.top, NULL, 0);
    if (!created) {
        // No window will ever delete this object: do it now, and count nothing.
        delete this;
        return FALSE;
    }
    ++s_nOpenCount;
    m_bCounted = true;

    m_rcWindow.left = start.left;
    m_rcWindow.right = start.right;
    m_rcWindow.top = m_rcWindow.bottom = m_rcWorkArea.bottom - 1;  // grows from nothing
    m_pMotion = new NotifierMotion(m_rcWindow.bottom, m_nHeight, m_nStayTime, m_nDpi);

    m_gradient.SetDirection(1);
    m_gradient.SetColors(3, crFirst, crMiddle, crLast);
    SetTimer(kAnimationTimer, kStepMs);
    return TRUE;
}

void CNotifierWnd::OnTimer(UINT_PTR)
{
    bool sunk = m_pMotion->Step();
    m_rcWindow.top = m_pMotion->Top();
    MoveWindow(m_rcWindow.left, m_rcWindow.top, m_rcWindow.right - m_rcWindow.left, m_rcWindow.bottom - m_rcWindow.top,
               TRUE);
    if (sunk) {
        KillTimer(kAnimationTimer);
        DestroyWindow();  // PostNcDestroy deletes the object once this message is done
        return;
    }
    // Showing the popup must not take the keyboard focus from whoever has it,
    // in this program or in another one the user is typing into.
    HWND hFocus = ::GetFocus();
    ShowWindow(SW_SHOWNOACTIVATE);
    if (hFocus)
        ::SetFocus(hFocus);
    if (!m_bAnnounced) {
        // Screen readers read the window text of the window that raised it.
        afx::NotifyWinEvent(EVENT_SYSTEM_ALERT, m_hWnd, OBJID_CLIENT, CHILDID_SELF);
        m_bAnnounced = true;
    }
    Default();
}

// A click on the popup does nothing: in particular it does not take the
// keyboard from the window that has it.
LRESULT CNotifierWnd::OnMouseActivate(WPARAM, LPARAM) { return MA_NOACTIVATE; }

void CNotifierWnd::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect rect(0, 0, m_rcWindow.right - m_rcWindow.left, m_rcWindow.bottom - m_rcWindow.top);
    if (HighContrastOn()) {
        dc.FillRect(&rect, ::GetSysColorBrush(COLOR_INFOBK));
        dc.SetTextColor(::GetSysColor(COLOR_INFOTEXT));
    } else {
        m_gradient.Draw(&dc, rect, 0, -1, 0);
    }
    dc.SetBkMode(TRANSPARENT);

    if (m_pBitmap && m_pBitmap->GetSafeHandle()) {
        BITMAP bm = {};
        m_pBitmap->GetBitmap(&bm);
        CMemoryDC memDC(&dc);
        if (memDC.m_hDC) {
            CSelection selectBitmap(memDC, m_pBitmap->GetSafeHandle());
            const int width = ScaleForDpi(bm.bmWidth, m_nDpi), height = ScaleForDpi(bm.bmHeight, m_nDpi);
            const int left = rect.right - width - ScaleForDpi(kBitmapRightMargin, m_nDpi);
            const int top = rect.top + ScaleForDpi(kBitmapTop, m_nDpi);
            if (width == bm.bmWidth) {
                dc.BitBlt(left, top, width, height, &memDC, 0, 0, SRCCOPY);
            } else {
                int oldMode = ::SetStretchBltMode(dc.m_hDC, HALFTONE);
                ::SetBrushOrgEx(dc.m_hDC, 0, 0, NULL);
                ::StretchBlt(dc.m_hDC, left, top, width, height, memDC.m_hDC, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
                ::SetStretchBltMode(dc.m_hDC, oldMode);
            }
        }
    }

    CFont font;
    CSelection selectFont(dc, CreateControlFont(font, ControlFontHeight(m_nDpi)) ? font.GetSafeHandle()
                                                                                 : ::GetStockObject(ANSI_VAR_FONT));

    CRect measure = rect;
    int textHeight = dc.DrawText(m_strText, -1, &measure, DT_CALCRECT | DT_WORDBREAK | DT_CENTER);
    int textTop = 0;
    if (TextTopIfFits(rect.top, rect.bottom, textHeight, &textTop)) {
        rect.top = textTop;
        dc.DrawText(m_strText, -1, &rect, DT_WORDBREAK | DT_CENTER);
    }
}

void CNotifierWnd::PostNcDestroy()
{
    // A window that failed during creation is cleaned up by Popup itself.
    if (!m_bCounted)
        return;
    --s_nOpenCount;
    delete this;
}
