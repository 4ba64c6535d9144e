#include "afx/DataExchange.h"

#include <commctrl.h>

#include <cstdio>
#include <string>

#include "afx/App.h"
#include "afx/Wnd.h"
#include "afx/ddx_parse.h"

namespace {
const char kParseIntPrompt[] = "Please enter an integer.";
const char kRangeIntPrompt[] = "Please enter an integer between %1 and %2.";

// Writing a control what it already shows would only repaint it and, for an
// edit, tell the dialog of a change that did not happen; a dialog exchanges
// its members once with their defaults and again with the stored values.
void SetCheck(HWND hWnd, WPARAM state)
{
    if (static_cast<WPARAM>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0)) != state)
        ::SendMessageA(hWnd, BM_SETCHECK, state, 0);
}

void SetText(HWND hWnd, const char* text)
{
    char shown[64];
    const int length = ::GetWindowTextA(hWnd, shown, sizeof shown);
    if (length >= static_cast<int>(sizeof shown) - 1 || lstrcmpA(shown, text) != 0)
        ::SetWindowTextA(hWnd, text);
}
}  // namespace

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    m_hWndLastControl = m_pDlgWnd->GetDlgItem(nIDC);
    m_bEditLastControl = false;
    return m_hWndLastControl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWnd = PrepareCtrl(nIDC);
    m_bEditLastControl = true;
    return hWnd;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_hWndLastControl) {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessageA(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    m_bFailed = true;
}

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (pDX->Failed())
        return;
    if (!rControl.m_hWnd)
        rControl.SubclassWindow(pDX->PrepareCtrl(nIDC));
}

void DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->Failed())
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageA(hWnd, BM_GETCHECK, 0, 0));
    } else {
        if (value < 0 || value > 2)
            value = 0;  // not a button state: show it unchecked
        SetCheck(hWnd, static_cast<WPARAM>(value));
    }
}

void DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->Failed())
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;  // none checked
    // The group runs from this button to the next control that starts a group;
    // only radio buttons count towards the index.
    int index = 0;
    do {
        if (::SendMessageA(hWnd, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (pDX->m_bSaveAndValidate) {
                if (::SendMessageA(hWnd, BM_GETCHECK, 0, 0) != 0)
                    value = index;
            } else {
                SetCheck(hWnd, index == value ? BST_CHECKED : BST_UNCHECKED);
            }
            ++index;
        }
        hWnd = ::GetWindow(hWnd, GW_HWNDNEXT);
    } while (hWnd && !(::GetWindowLongA(hWnd, GWL_STYLE) & WS_GROUP));
}

void DDX_Text(CDataExchange* pDX, int nIDC, int& value)
{
    if (pDX->Failed())
        return;
    HWND hWnd = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate) {
        int length = ::GetWindowTextLengthA(hWnd);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        ::GetWindowTextA(hWnd, &text[0], length + 1);
        if (!afx::ParseDialogInt(text.c_str(), &value)) {
            AfxMessageBox(kParseIntPrompt);
            pDX->Fail();
        }
    } else {
        char text[16];
        std::snprintf(text, sizeof text, "%d", value);
        SetText(hWnd, text);
    }
}

void DDX_TextIfInRange(CDataExchange* pDX, int nIDC, int& value, int minVal, int maxVal)
{
    if (pDX->Failed())
        return;
    if (!pDX->m_bSaveAndValidate) {
        DDX_Text(pDX, nIDC, value);
        return;
    }
    // Not PrepareEditCtrl: a failure later in the exchange must not put the
    // focus into a field that was never checked.
    HWND hWnd = pDX->m_pDlgWnd->GetDlgItem(nIDC);
    int length = ::GetWindowTextLengthA(hWnd);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    ::GetWindowTextA(hWnd, &text[0], length + 1);
    afx::ParseDialogIntInRange(text.c_str(), minVal, maxVal, &value);
}

void DDX_DateTimeCtrl(CDataExchange* pDX, int nIDC, CTime& value)
{
    if (pDX->Failed())
        return;
    HWND hWnd = pDX->PrepareCtrl(nIDC);
    SYSTEMTIME local = {};
    if (pDX->m_bSaveAndValidate) {
        if (::SendMessageA(hWnd, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&local)) == GDT_VALID)
            value = CTime(local);
    } else if (value.GetAsSystemTime(local)) {
        ::SendMessageA(hWnd, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&local));
    }
}

void DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal)
{
    // Initial member values are not validated, only what the user entered.
    if (pDX->Failed() || !pDX->m_bSaveAndValidate)
        return;
    if (value < minVal || value > maxVal) {
        std::string prompt = afx::FormatWithArgs(kRangeIntPrompt, std::to_string(minVal), std::to_string(maxVal));
        AfxMessageBox(prompt.c_str());
        pDX->Fail();
    }
}
