// The one place where the dialog's life moves on: each handler hands its
// event to the model (schedule/dialog_model.h) and carries out the effects it
// returns, here, in the order the model lists them. The state flags the
// other parts read are read-outs of the model, set here and nowhere else.
#include "dialog/ShutdownDlg.h"
#include "resource.h"

using namespace quellix;

namespace {
const char kAppCaption[] = "Quellix...";
const UINT kMenuDisabled = MF_GRAYED | MF_DISABLED;
}  // namespace

void CShutdownDlg::Apply(const Effects& e)
{
    m_bRunning = m_model.Running();
    m_bMayClose = m_model.MayClose();
    m_bNotify = m_model.Notify();
    m_bInTray = m_model.InTray();
    m_bTrayIconHidden = m_model.TrayIconHidden();

    if (e.timers == Effects::Timers::Set)
        StartCountdown(m_nStartCount);
    else if (e.timers == Effects::Timers::Kill)
        KillCountdownTimers();
    if (e.save)
        SaveSettings();
    if (e.unableToStart)
        MessageBox("Unable to start", kAppCaption, MB_OK | MB_ICONEXCLAMATION);
    if (e.stopped) {
        m_bHideOnMinimize = FALSE;
        ::CheckDlgButton(m_hWnd, IDC_HIDE_ON_MINIMIZE, BST_UNCHECKED);
    }
    if (e.timingControls)
        EnableTimingControls();
    if (e.listAndCancel != Effects::Switch::Keep) {
        const BOOL on = e.listAndCancel == Effects::Switch::On;
        EnableDlgItem(IDC_ACTION, on);
        EnableDlgItem(IDC_CANCEL, on);
    }
    if (e.progress != Effects::Progress::Keep)
        m_progress.SetPos(e.progress == Effects::Progress::Full ? kProgressSteps : 0);
    if (e.text == Effects::Text::Remaining)
        ShowRemaining(m_nRemaining);
    else if (e.text == Effects::Text::Expired)
        SetDlgItemText(IDC_REMAINING, "Timer expired");
    else if (e.text == Effects::Text::Empty)
        SetDlgItemText(IDC_REMAINING, "");
    if (e.tip == Effects::Tip::Caption)
        SetTipToCaption();
    else if (e.tip == Effects::Tip::Remaining)
        SetTipToRemaining();

    switch (e.icon) {
    case Effects::Icon::Show:
        // An icon left from before counts as there.
        if (!NotifyIcon(NIM_ADD) && !NotifyIcon(NIM_MODIFY)) {
            Apply(m_model.IconRefused());
            return;
        }
        break;
    case Effects::Icon::Add:
        NotifyIcon(NIM_ADD);
        break;
    case Effects::Icon::Modify:
        NotifyIcon(NIM_MODIFY);
        break;
    case Effects::Icon::Delete:
        NotifyIcon(NIM_DELETE);
        break;
    case Effects::Icon::None:
        break;
    }
    if (e.window == Effects::Window::Hide) {
        ShowWindow(SW_HIDE);
    } else if (e.window == Effects::Window::Show) {
        ShowWindow(SW_SHOWNORMAL);
        SetForegroundWindow();
        SetFocus();
    } else if (e.window == Effects::Window::Minimise && !IsIconic()) {
        ShowWindow(SW_MINIMIZE);
    }
    ApplyMenu(e.menu);
    ShowPopup(e.popup);
    if (e.endBoxes)
        EndOwnedBoxes();
    if (e.endDialog)
        CDialog::OnCancel();  // not our OnCancel, which hides while counting
    if (e.ask)
        Apply(m_model.Answer(ConfirmAction() != FALSE));
    if (e.request)
        CarryOut();
}

// The system request, and what its outcome leads to.
void CShutdownDlg::CarryOut()
{
    BOOL resetAfter = FALSE;
    std::string refusal;
    if (ExecuteAction(&resetAfter, &refusal)) {
        Apply(m_model.RequestMade(resetAfter != FALSE));
        return;
    }
    const Effects e = m_model.RequestRefused();
    Apply(e);
    if (e.reportRefusal)
        MessageBox(refusal.c_str(), "Quellix", MB_OK | MB_ICONEXCLAMATION);
}

void CShutdownDlg::ApplyMenu(Effects::Menu menu)
{
    if (menu == Effects::Menu::Keep)
        return;
    const UINT whileRunning = MF_BYCOMMAND | (m_bRunning ? MF_ENABLED : kMenuDisabled);
    m_menuTray.EnableMenuItem(ID_TRAY_STOP_TIMER, whileRunning);
    if (menu == Effects::Menu::Hidden) {
        m_menuTray.EnableMenuItem(ID_TRAY_HIDE, whileRunning);
        m_menuTray.CheckMenuItem(ID_TRAY_ASK_CONFIRM,
                                 MF_BYCOMMAND | (m_btnConfirm.GetCheck() ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CShutdownDlg::ShowPopup(Effects::Popup popup)
{
    switch (popup) {
    case Effects::Popup::Stopped:
        ShowNotification(FALSE, FALSE);
        break;
    case Effects::Popup::Remember:
        ShowNotification(TRUE, FALSE);
        break;
    case Effects::Popup::Warning:
        ShowNotification(FALSE, TRUE);
        break;
    case Effects::Popup::None:
        break;
    }
}
