// The dialog's presence in the notification area: the icon with its tip and
// menu, hiding and restoring the dialog.
#include "dialog/ShutdownDlg.h"

#include "afx/SystemFunctions.h"
#include "app/shared_names.h"
#include "controls/AboutDlg.h"
#include "resource.h"
#include "schedule/SystemVersion.h"

using namespace quellix;

namespace {
// Broadcast by the shell when the notification area is created anew (after the shell restarted).
const UINT kTaskbarCreated = ::RegisterWindowMessageA("TaskbarCreated");
}  // namespace

void CShutdownDlg::SetUpTray()
{
    GetWindowText(m_strTitle);
    m_nid.cbSize = NOTIFYICONDATAA_V1_SIZE;  // 88 bytes: understood by every shell
    m_nid.hWnd = m_hWnd;
    m_nid.uID = kTrayIconId;
    m_nid.hIcon = m_hIconTray;
    m_nid.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_nid.uCallbackMessage = WM_TRAYNOTIFY;
    lstrcpynA(m_nid.szTip, m_strTitle, sizeof m_nid.szTip);
    if (UsesNewTrayIcon(OsVersionOf(ReadSystemVersion())))
        m_nid.hIcon = m_hIconSmall;
}

void CShutdownDlg::SetTipToCaption()
{
    CString caption;
    GetWindowText(caption);
    lstrcpynA(m_nid.szTip, caption, sizeof m_nid.szTip);
}

LRESULT CShutdownDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_TRAYNOTIFY) {
        if (lParam == WM_LBUTTONDOWN) {
            OnRestore();
        } else if (lParam == WM_RBUTTONDOWN) {
            POINT cursor;
            ::GetCursorPos(&cursor);
            // A menu whose owner is not the foreground window stays open when
            // the user clicks elsewhere; the activation leaves the icon alone
            // (OnActivate), and the posted message lets the menu close at once.
            ::SetForegroundWindow(m_hWnd);
            m_menuTray.TrackPopupMenu(TPM_RIGHTBUTTON, cursor.x, cursor.y, m_hWnd);
            PostMessage(WM_NULL);
        }
    } else if (message == kTaskbarCreated) {
        // At log-on, or after the shell restarted, its notification area is ready.
        Apply(m_model.TaskbarCreated());
    } else if (message == WM_SIZE && wParam == SIZE_MINIMIZED) {
        // A minimise does not always deactivate the dialog (never under Wine,
        // nor when it comes while another window is active), so OnActivate
        // alone would leave the minimised dialog on the task bar.
        Apply(m_model.Minimise());
    } else if (message == WM_SIZE) {
        Apply(m_model.Unminimised());
    } else if (message == WM_WINDOWPOSCHANGING && m_model.InTray()) {
        // In the tray the window stays hidden, whoever would show it: the
        // dialog manager shows a modal dialog once its queue first runs
        // empty, which may come after a countdown from the command line has
        // hidden it.
        reinterpret_cast<WINDOWPOS*>(lParam)->flags &= ~SWP_SHOWWINDOW;
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CShutdownDlg::OnActivate(UINT, CWnd*, BOOL bMinimized)
{
    Apply(m_model.Activated(::IsWindowVisible(m_hWnd) != FALSE, bMinimized != FALSE));
    Default();
}

// Every request about the icon goes to the shell with the one icon record.
// The shell is loaded on first use, so a dialog that never goes to the tray
// (every activation asks for a delete) does not load it at all.
BOOL CShutdownDlg::NotifyIcon(DWORD dwMessage) { return m_shellIcon.Notify(dwMessage, &m_nid); }

void CShutdownDlg::OnRestore() { Apply(m_model.Restore()); }

LRESULT CShutdownDlg::OnWatcherRestore(WPARAM, LPARAM)
{
    OnRestore();
    return 0;
}

void CShutdownDlg::OnAskConfirmation() { Apply(m_model.ConfirmationSet(!m_model.State().confirm)); }

void CShutdownDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CShutdownDlg::OnHide() { Apply(m_model.HideIcon()); }

namespace {
// Ends a dialog box of this thread (a question, a message, the About box)
// that the window `lParam` owns.
BOOL CALLBACK EndOwnedBox(HWND hWnd, LPARAM lParam)
{
    char className[16];
    if (::GetWindow(hWnd, GW_OWNER) == reinterpret_cast<HWND>(lParam) &&
        ::GetClassNameA(hWnd, className, sizeof className) && lstrcmpA(className, "#32770") == 0)
        ::EndDialog(hWnd, IDCANCEL);
    return TRUE;
}
}  // namespace

// "Exit" chosen while a box of the dialog is open (the expiry question above
// all) does not wait for its answer.
void CShutdownDlg::EndOwnedBoxes()
{
    ::EnumThreadWindows(::GetCurrentThreadId(), EndOwnedBox, reinterpret_cast<LPARAM>(m_hWnd));
}

void CShutdownDlg::OnExit() { Apply(m_model.Exit()); }
