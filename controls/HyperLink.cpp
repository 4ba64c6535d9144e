#include "controls/HyperLink.h"

#include "afx/SystemFunctions.h"

#include <cstring>
#include <string>

#include "controls/HighContrast.h"
#include "controls/mail_command.h"
#include "resource.h"

namespace {
const char kMailCommandKey[] = "mailto\\shell\\open\\command";

void ShowHandCursor() { ::SetCursor(::LoadCursorA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(IDC_HAND_LINK))); }

// The mail command key, created when missing. Accounts that may not write
// under the classes root still get to read a registered mail program.
HKEY OpenMailCommandKey()
{
    HKEY hKey = NULL;
    if (::RegCreateKeyExA(HKEY_CLASSES_ROOT, kMailCommandKey, 0, NULL, 0, KEY_ALL_ACCESS, NULL, &hKey, NULL) ==
        ERROR_SUCCESS)
        return hKey;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kMailCommandKey, 0, KEY_READ, &hKey) == ERROR_SUCCESS)
        return hKey;
    return NULL;
}

// The value of a variable of the program's environment.
bool LookUpEnvironment(const std::string& name, std::string* value)
{
    DWORD needed = ::GetEnvironmentVariableA(name.c_str(), NULL, 0);
    if (needed == 0)
        return false;
    std::string buffer(needed, '\0');
    DWORD length = ::GetEnvironmentVariableA(name.c_str(), &buffer[0], needed);
    if (length >= needed)
        return false;
    buffer.resize(length);
    *value = buffer;
    return true;
}

// The registered mail command as text, expanded when the value asks for it;
// empty when there is none or it is longer than the link reads.
std::string ReadMailCommand()
{
    CRegKey key;
    if (!key.Attach(OpenMailCommandKey()))
        return std::string();
    char data[quellix::kMailCommandBytes];
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    LONG read = ::RegQueryValueExA(key.GetSafeHandle(), NULL, NULL, &type, reinterpret_cast<BYTE*>(data), &size);
    if (read != ERROR_SUCCESS || size > sizeof data)
        return std::string();
    // The value need not end with a zero, and its text ends at the first one.
    std::string command(data, size);
    command.resize(std::strlen(command.c_str()));
    return type == REG_EXPAND_SZ ? quellix::ExpandMailCommand(command, LookUpEnvironment) : command;
}
}  // namespace

BEGIN_MESSAGE_MAP(CHyperLink, CStatic)
    ON_WM_PAINT()
    ON_MESSAGE(WM_LBUTTONDOWN, OnLButtonDown)
    ON_MESSAGE(WM_MOUSEMOVE, OnMouseMessage)
    ON_MESSAGE(WM_LBUTTONUP, OnMouseMessage)
    ON_MESSAGE(WM_LBUTTONDBLCLK, OnMouseMessage)
    ON_MESSAGE(WM_RBUTTONDOWN, OnMouseMessage)
    ON_MESSAGE(WM_RBUTTONUP, OnMouseMessage)
    ON_MESSAGE(WM_RBUTTONDBLCLK, OnMouseMessage)
    ON_MESSAGE(WM_MBUTTONDOWN, OnMouseMessage)
    ON_MESSAGE(WM_MBUTTONUP, OnMouseMessage)
    ON_MESSAGE(WM_MBUTTONDBLCLK, OnMouseMessage)
    ON_MESSAGE(WM_MOUSEWHEEL, OnMouseMessage)
    ON_MESSAGE(WM_SETFOCUS, OnFocusChange)
    ON_MESSAGE(WM_KILLFOCUS, OnFocusChange)
    ON_MESSAGE(WM_GETDLGCODE, OnGetDlgCode)
    ON_MESSAGE(WM_KEYDOWN, OnKeyDown)
END_MESSAGE_MAP()

COLORREF CHyperLink::LinkColor() const
{
    if (quellix::HighContrastOn())
        return quellix::SystemColor(COLOR_HOTLIGHT, COLOR_BTNTEXT);
    return m_bVisited ? kVisited : kUnvisited;
}

void CHyperLink::OnPaint()
{
    CPaintDC dc(m_hWnd);
    CRect rect;
    GetClientRect(&rect);
    // The parent's background first, so that a focus rectangle that has gone
    // leaves nothing behind.
    HBRUSH hBackground = reinterpret_cast<HBRUSH>(::SendMessageA(
        ::GetParent(m_hWnd), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC), reinterpret_cast<LPARAM>(m_hWnd)));
    if (hBackground)
        dc.FillRect(&rect, hBackground);
    // Drawn before the text, so that the address stays whole; it stops above
    // the underline.
    if (::GetFocus() == m_hWnd) {
        RECT focus = {0, 0, rect.Width(), rect.Height() - 1};
        ::DrawFocusRect(dc.m_hDC, &focus);
    }
    CString text;
    GetWindowText(text);
    const COLORREF color = LinkColor();
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, color);
    CSelection selectPen(dc, pen.GetSafeHandle());
    // Always the stock variable font, whatever font the control was given.
    CSelection selectFont(dc, ::GetStockObject(ANSI_VAR_FONT));
    dc.SetTextColor(color);
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(text, -1, &rect, DT_TABSTOP);
    // The underline spans the whole control, not just the text.
    dc.MoveTo(0, rect.Height() - 1);
    dc.LineTo(rect.Width(), rect.Height() - 1);
}

void CHyperLink::StartMailProgram()
{
    std::string command = ReadMailCommand();
    if (command.empty())
        return;
    CString address;
    GetWindowText(address);
    quellix::MailLaunch launch;
    if (quellix::SplitMailCommand(command.data(), command.size(), quellix::MailtoUrl(address.str()), &launch))
        afx::ShellExecuteFile(NULL, "open", launch.program.c_str(), launch.parameters.c_str(), NULL, SW_SHOW);
}

void CHyperLink::Follow()
{
    StartMailProgram();
    m_bVisited = true;
    Invalidate(TRUE);
}

LRESULT CHyperLink::OnLButtonDown(WPARAM, LPARAM)
{
    ShowHandCursor();
    Follow();
    return Default();
}

LRESULT CHyperLink::OnMouseMessage(WPARAM, LPARAM)
{
    ShowHandCursor();
    return Default();
}

// The focus rectangle comes and goes with the keyboard.
LRESULT CHyperLink::OnFocusChange(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return Default();
}

// Enter goes to the link, not to the dialog's default button.
LRESULT CHyperLink::OnGetDlgCode(WPARAM, LPARAM lParam)
{
    LRESULT code = Default();
    const MSG* pMsg = reinterpret_cast<const MSG*>(lParam);
    if (pMsg && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_CHAR) && pMsg->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
    return code;
}

LRESULT CHyperLink::OnKeyDown(WPARAM wParam, LPARAM lParam)
{
    const bool repeated = (lParam & (1L << 30)) != 0;  // held down: one mail program is enough
    if ((wParam == VK_RETURN || wParam == VK_SPACE) && !repeated)
        Follow();
    return Default();
}
