#include "afx/Wnd.h"

#include "afx/DataExchange.h"

namespace {
// The CWnd of a window is kept in a window property: no global window list.
const char kWndProperty[] = "AfxWndObject";

// The window being created by CreateEx on this thread, attached at its first message.
CWnd* g_pWndInit = NULL;

CWnd* FromHandlePermanent(HWND hWnd) { return static_cast<CWnd*>(::GetPropA(hWnd, kWndProperty)); }
}  // namespace

CWnd::~CWnd()
{
    // Windows outlive their objects only by mistake; leave such a window to its own procedure.
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this) {
        if (m_pfnSuper)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        ::RemovePropA(m_hWnd, kWndProperty);
    }
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kWndProperty, this);
}

bool CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || FromHandlePermanent(hWnd))
        return false;
    Attach(hWnd);
    m_pfnSuper =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    return true;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, UINT nID)
{
    g_pWndInit = this;
    HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), ::GetModuleHandleA(NULL), NULL);
    g_pWndInit = NULL;
    return hWnd != NULL;
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

void CWnd::DetachAfterDestroy()
{
    if (m_pfnSuper && ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&AfxWndProc))
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::RemovePropA(m_hWnd, kWndProperty);
    m_hWnd = NULL;
    m_pfnSuper = NULL;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd && g_pWndInit) {
        pWnd = g_pWndInit;
        g_pWndInit = NULL;
        pWnd->Attach(hWnd);
    }
    if (!pWnd)
        return ::DefWindowProcA(hWnd, message, wParam, lParam);

    ++pWnd->m_nDispatchDepth;
    MSG saved = pWnd->m_currentMsg;
    pWnd->m_currentMsg.hwnd = hWnd;
    pWnd->m_currentMsg.message = message;
    pWnd->m_currentMsg.wParam = wParam;
    pWnd->m_currentMsg.lParam = lParam;
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's callback.
        result = 0;
    }
    pWnd->m_currentMsg = saved;

    if (message == WM_NCDESTROY) {
        pWnd->DetachAfterDestroy();
        pWnd->m_bNcDestroyDue = true;
    }
    // A window destroyed inside one of its own handlers reaches WM_NCDESTROY
    // while outer calls of this procedure still use the object: an object that
    // deletes itself may do so only when the outermost of them is done.
    if (--pWnd->m_nDispatchDepth == 0 && pWnd->m_bNcDestroyDue) {
        pWnd->m_bNcDestroyDue = false;
        pWnd->PostNcDestroy();  // may delete pWnd
    }
    return result;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() { return DefWindowProc(m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam); }

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, &entries[0]};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const { return GetThisMessageMap(); }

namespace {
const AFX_MSGMAP_ENTRY* FindEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id)
{
    for (; map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->nSig != AfxSig_end; ++entry) {
            if (entry->nMessage != message)
                continue;
            if (message != WM_COMMAND)
                return entry;
            if (entry->nCode == code && id >= entry->nID && id <= entry->nLastID)
                return entry;
        }
    }
    return nullptr;
}
}  // namespace

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* entry = FindEntry(GetMessageMap(), message, HIWORD(wParam), LOWORD(wParam));
    if (!entry)
        return false;

    *pResult = 0;
    switch (entry->nSig) {
    case AfxSig_vv:
        (this->*entry->pfn)();
        break;
    case AfxSig_vw:
        (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(entry->pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_vwl:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, LPARAM)>(entry->pfn))(static_cast<UINT>(wParam), lParam);
        break;
    case AfxSig_vwWb: {
        CWnd other;  // a temporary view of the other window, never subclassed
        other.m_hWnd = reinterpret_cast<HWND>(lParam);
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(entry->pfn))(
            LOWORD(wParam), other.m_hWnd ? &other : nullptr, HIWORD(wParam) != 0);
        other.m_hWnd = NULL;
        break;
    }
    case AfxSig_hv:
        *pResult = reinterpret_cast<LRESULT>((this->*reinterpret_cast<HCURSOR (CWnd::*)()>(entry->pfn))());
        break;
    case AfxSig_lwl:
        *pResult = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(entry->pfn))(wParam, lParam);
        break;
    case AfxSig_end:
        return false;
    }
    return true;
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return !dx.Failed();
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::PostMessageA(m_hWnd, message, wParam, lParam);
}

void CWnd::GetWindowText(CString& text) const
{
    int length = ::GetWindowTextLengthA(m_hWnd);
    std::string buffer(static_cast<size_t>(length) + 1, '\0');
    int copied = ::GetWindowTextA(m_hWnd, &buffer[0], length + 1);
    buffer.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    text = CString(buffer);
}

BOOL CWnd::ShowWindow(int nCmdShow) { return ::ShowWindow(m_hWnd, nCmdShow); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::SetForegroundWindow() { return ::SetForegroundWindow(m_hWnd); }
HWND CWnd::SetFocus() { return ::SetFocus(m_hWnd); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::Invalidate(BOOL bErase) { ::InvalidateRect(m_hWnd, NULL, bErase); }

BOOL CWnd::MoveWindow(int x, int y, int width, int height, BOOL bRepaint)
{
    return ::MoveWindow(m_hWnd, x, y, width, height, bRepaint);
}

UINT_PTR CWnd::SetTimer(UINT_PTR nIDEvent, UINT nElapse) { return ::SetTimer(m_hWnd, nIDEvent, nElapse, NULL); }
BOOL CWnd::KillTimer(UINT_PTR nIDEvent) { return ::KillTimer(m_hWnd, nIDEvent); }

int CWnd::MessageBox(const char* text, const char* caption, UINT type)
{
    return ::MessageBoxA(m_hWnd, text, caption ? caption : "Error", type);
}

namespace {
// Disabling the window that holds the focus leaves the focus on no window at
// all: Escape, Enter and Tab then reach no dialog. The focus first moves on,
// as the dialog manager's WM_NEXTDLGCTL moves it, to the next enabled tab
// stop, or to the dialog itself when there is none.
void MoveFocusOffBeforeDisabling(HWND hWnd)
{
    HWND focus = ::GetFocus();
    if (!hWnd || !focus || (focus != hWnd && !::IsChild(hWnd, focus)))
        return;
    HWND dialog = ::GetParent(hWnd);
    if (!dialog)
        return;
    HWND next = ::GetNextDlgTabItem(dialog, hWnd, FALSE);
    if (next && next != hWnd && !::IsChild(hWnd, next))
        ::SendMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
    else
        ::SetFocus(dialog);
}

BOOL Enable(HWND hWnd, BOOL bEnable)
{
    if (!bEnable)
        MoveFocusOffBeforeDisabling(hWnd);
    return ::EnableWindow(hWnd, bEnable);
}
}  // namespace

HWND CWnd::GetDlgItem(int nID) const { return ::GetDlgItem(m_hWnd, nID); }
void CWnd::EnableDlgItem(int nID, BOOL bEnable) { Enable(GetDlgItem(nID), bEnable); }
void CWnd::SetDlgItemText(int nID, const char* text) { ::SetDlgItemTextA(m_hWnd, nID, text); }

LRESULT CWnd::SendDlgItemMessage(int nID, UINT message, WPARAM wParam, LPARAM lParam) const
{
    return ::SendDlgItemMessageA(m_hWnd, nID, message, wParam, lParam);
}
