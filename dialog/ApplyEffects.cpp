// The one place where the dialog's life moves on: each handler hands its
// event to the model (schedule/dialog_model.h) and carries out the effects it
// returns, here, in the order the model lists them. The state flags the
// other parts read are read-outs of the model, set here and nowhere else.
#include "dialog/ShutdownDlg.h"
#include "resource.h"
#include "schedule/KeepAwake.h"
#include "schedule/remaining_text.h"

using namespace quellix;

namespace {
const char kAppCaption[] = "Quellix...";
const UINT kMenuDisabled = MF_GRAYED | MF_DISABLED;
}  // namespace

// Carries out an event's effects; while the last of them has an outcome, its
// result is the model's next event, whose effects follow in turn.
void CShutdownDlg::Apply(Effects e)
{
    for (;;) {
        CarryOutEffects(e);
        switch (e.outcome) {
        case Effects::Outcome::None:
            return;
        case Effects::Outcome::ShowIcon:
            // An icon left from before counts as there.
            e = NotifyIcon(NIM_ADD) || NotifyIcon(NIM_MODIFY) ? m_model.IconShown() : m_model.IconRefused();
            break;
        case Effects::Outcome::Ask:
            e = m_model.Answer(ConfirmAction() != FALSE);
            break;
        case Effects::Outcome::Request:
            e = RequestAction();
            break;
        }
    }
}

// The system request; its outcome is the model's next event.
Effects CShutdownDlg::RequestAction()
{
    BOOL resetAfter = FALSE;
    std::string refusal;
    if (ExecuteAction(&resetAfter, &refusal))
        return m_model.RequestMade(resetAfter != FALSE);
    return m_model.RequestRefused(refusal);
}

void CShutdownDlg::CarryOutEffects(const Effects& e)
{
    const ModelState& state = m_model.State();
    m_bRunning = state.running;
    m_bMayClose = m_model.MayClose();
    m_bNotify = m_model.Notify();
    m_bInTray = m_model.InTray();
    m_bTrayIconHidden = m_model.TrayIconHidden();
    m_nRemaining = state.remaining;

    if (e.timers == Effects::Timers::Set)
        StartCountdown(e.countdown);
    else if (e.timers == Effects::Timers::Wait)
        WaitForCondition();
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
    if (e.confirmBox != Effects::Switch::Keep)
        m_btnConfirm.SetCheck(e.confirmBox == Effects::Switch::On ? BST_CHECKED : BST_UNCHECKED);
    if (e.keepAwake != Effects::Switch::Keep)
        KeepSystemAwake(e.keepAwake == Effects::Switch::On);
    if (e.wake == Effects::Wake::Set)
        m_wakeTimer.Set(e.wakeWallMs);
    else if (e.wake == Effects::Wake::Cancel)
        m_wakeTimer.Cancel();
    if (e.progress == Effects::Progress::At)
        FollowProgress(e.progressPos, e.remaining);
    else if (e.progress != Effects::Progress::Keep)
        m_progress.SetPos(e.progress == Effects::Progress::Full ? kProgressSteps : 0);
    if (e.text == Effects::Text::Remaining)
        ShowRemaining(e.remaining);
    else if (e.text == Effects::Text::Waiting)
        SetDlgItemText(IDC_REMAINING, WaitingText(e.waitFor).c_str());
    else if (e.text == Effects::Text::Expired)
        SetDlgItemText(IDC_REMAINING, "Timer expired");
    else if (e.text == Effects::Text::Empty)
        SetDlgItemText(IDC_REMAINING, "");
    if (e.tip == Effects::Tip::Caption)
        SetTipToCaption();
    else if (e.tip == Effects::Tip::Remaining)
        SetTipToRemaining(e.remaining);
    else if (e.tip == Effects::Tip::Waiting)
        SetTipToWaiting(e.waitFor);

    switch (e.icon) {
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
    if (!e.refusal.empty())
        MessageBox(e.refusal.c_str(), "Quellix", MB_OK | MB_ICONEXCLAMATION);
    if (e.endBoxes)
        EndOwnedBoxes();
    if (e.endDialog)
        CDialog::OnCancel();  // not our OnCancel, which hides while counting
}

void CShutdownDlg::ApplyMenu(Effects::Menu menu)
{
    if (menu == Effects::Menu::Keep)
        return;
    const UINT whileRunning = MF_BYCOMMAND | (m_bRunning ? MF_ENABLED : kMenuDisabled);
    if (menu != Effects::Menu::Confirmation)
        m_menuTray.EnableMenuItem(ID_TRAY_STOP_TIMER, whileRunning);
    if (menu == Effects::Menu::Hidden)
        m_menuTray.EnableMenuItem(ID_TRAY_HIDE, whileRunning);
    if (menu == Effects::Menu::Hidden || menu == Effects::Menu::Confirmation)
        m_menuTray.CheckMenuItem(ID_TRAY_ASK_CONFIRM,
                                 MF_BYCOMMAND | (m_model.State().confirm ? MF_CHECKED : MF_UNCHECKED));
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
