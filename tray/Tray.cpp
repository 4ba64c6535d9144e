// The dialog's presence in the notification area: the icon with its tip and
// menu, hiding and restoring the dialog.
#include "dialog/ShutdownDlg.h"

#include "afx/SystemFunctions.h"
#include "controls/AboutDlg.h"
#include "resource.h"
#include "schedule/SystemVersion.h"

using namespace quellix;

namespace {
const UINT kTrayIconId = 1;
const UINT kMenuDisabled = MF_GRAYED | MF_DISABLED;
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
        OnTaskbarCreated();
    } else if (message == WM_SIZE && wParam == SIZE_MINIMIZED && !m_bInTray && !m_bAwaitingTray) {
        // A minimise does not always deactivate the dialog (never under Wine,
        // nor when it comes while another window is active), so OnActivate
        // alone would leave the minimised dialog on the task bar.
        SetTipToCaption();
        HideToTray(TRUE);
    } else if (message == WM_SIZE && wParam != SIZE_MINIMIZED) {
        m_bAwaitingTray = FALSE;  // the user brought it back from the task bar
    }
    return CDialog::WindowProc(message, wParam, lParam);
}

void CShutdownDlg::OnActivate(UINT, CWnd*, BOOL bMinimized)
{
    // Hidden in the tray, the dialog is still deactivated after the hide (by
    // the system, at once or later) and activated to own the icon's menu:
    // neither is the user showing or minimising it.
    if (m_bInTray && !::IsWindowVisible(m_hWnd)) {
        Default();
        return;
    }
    SetTipToCaption();
    if (bMinimized) {
        HideToTray(TRUE);
    } else {
        NotifyIcon(NIM_DELETE);
        m_bInTray = FALSE;
        m_bTrayIconHidden = FALSE;
    }
    Default();
}

void CShutdownDlg::HideToTray(BOOL bHide)
{
    if (!bHide) {
        m_bInTray = FALSE;
        m_bTrayIconHidden = FALSE;
        m_bAwaitingTray = FALSE;
        ShowWindow(SW_SHOWNORMAL);
        SetForegroundWindow();
        SetFocus();
        return;  // the activation that follows removes the icon
    }
    // Without a notification area (right after log-on, or with no shell) a
    // hidden dialog would have no way back: it stays on the task bar,
    // minimised, until the shell announces its task bar. An icon left from
    // before counts as there.
    BOOL bWithoutIcon = m_bHideOnMinimize && m_bRunning;
    if (!bWithoutIcon && !NotifyIcon(NIM_ADD) && !NotifyIcon(NIM_MODIFY)) {
        m_bAwaitingTray = TRUE;
        if (!IsIconic())
            ShowWindow(SW_MINIMIZE);
        return;
    }
    m_bAwaitingTray = FALSE;
    // In the tray before the hide: hiding the active dialog deactivates it
    // there and then, and that is no minimise to act on again (OnActivate).
    m_bInTray = TRUE;
    ShowWindow(SW_HIDE);
    UINT whileRunning = m_bRunning ? MF_ENABLED : kMenuDisabled;
    m_menuTray.EnableMenuItem(ID_TRAY_STOP_TIMER, MF_BYCOMMAND | whileRunning);
    m_menuTray.EnableMenuItem(ID_TRAY_HIDE, MF_BYCOMMAND | whileRunning);
    m_menuTray.CheckMenuItem(ID_TRAY_ASK_CONFIRM, MF_BYCOMMAND | (m_btnConfirm.GetCheck() ? MF_CHECKED : MF_UNCHECKED));
    if (bWithoutIcon) {
        NotifyIcon(NIM_DELETE);
        m_bTrayIconHidden = TRUE;
    }
    if (!m_bRunning || m_bTrayIconHidden)
        ShowNotification(m_bTrayIconHidden, FALSE);
}

// The shell broadcasts "TaskbarCreated" when its notification area is ready,
// at log-on or after it restarted.
void CShutdownDlg::OnTaskbarCreated()
{
    if (m_bInTray && !m_bTrayIconHidden)
        NotifyIcon(NIM_ADD);
    else if (m_bAwaitingTray && IsIconic())
        HideToTray(TRUE);
}

// Every request about the icon goes to the shell with the one icon record;
// TRUE when the shell carried it out. The shell is loaded on first use, so a
// dialog that never goes to the tray (every activation asks for a delete)
// does not load it at all.
BOOL CShutdownDlg::NotifyIcon(DWORD dwMessage)
{
    if (dwMessage == NIM_DELETE && !m_bIconWithShell)
        return FALSE;  // nothing of ours to delete
    BOOL done = afx::ShellNotifyIcon(dwMessage, &m_nid);
    // A refused add may still have reached a busy shell: only a delete the
    // shell carried out says for sure that it holds no icon of ours.
    if (dwMessage == NIM_ADD || (dwMessage == NIM_MODIFY && done))
        m_bIconWithShell = TRUE;
    else if (dwMessage == NIM_DELETE && done)
        m_bIconWithShell = FALSE;
    return done;
}

void CShutdownDlg::OnRestore() { HideToTray(FALSE); }

LRESULT CShutdownDlg::OnWatcherRestore(WPARAM, LPARAM)
{
    OnRestore();
    return 0;
}

void CShutdownDlg::OnAskConfirmation()
{
    m_btnConfirm.SetCheck(m_btnConfirm.GetCheck() == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED);
    m_menuTray.CheckMenuItem(ID_TRAY_ASK_CONFIRM, MF_BYCOMMAND | (m_btnConfirm.GetCheck() ? MF_CHECKED : MF_UNCHECKED));
}

void CShutdownDlg::OnAbout()
{
    CAboutDlg about;
    about.DoModal();
}

void CShutdownDlg::OnHide()
{
    ShowNotification(TRUE, FALSE);
    m_bTrayIconHidden = TRUE;
    NotifyIcon(NIM_DELETE);
}

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

void CShutdownDlg::OnExit()
{
    NotifyIcon(NIM_DELETE);
    // Chosen while a box of the dialog is open (the expiry question above
    // all), the exit does not wait for its answer, and carries nothing out.
    m_bExiting = TRUE;
    ::EnumThreadWindows(::GetCurrentThreadId(), EndOwnedBox, reinterpret_cast<LPARAM>(m_hWnd));
    CDialog::OnCancel();  // not our OnCancel, which would hide while counting
}
