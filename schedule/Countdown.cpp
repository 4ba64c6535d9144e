// When the selected action is carried out: at once, at a time of day or after
// a number of minutes. The countdown runs on three window timers of the
// dialog: 1 expiry, 2 progress step, 3 the one-second tick.
#include "dialog/ShutdownDlg.h"
#include "resource.h"
#include "schedule/remaining_text.h"
#include "tray/reminder_text.h"

using namespace quellix;

namespace {
enum CountdownTimer : UINT_PTR { kExpiryTimer = 1, kProgressTimer = 2, kTickTimer = 3 };
const UINT kTickMs = 1000;
const int kProgressSteps = 100;
const char kAppCaption[] = "Quellix...";

// Milliseconds on a clock that only moves forward and keeps counting while the
// machine sleeps; GetTickCount's 49.7-day wrap is carried into the high part.
int64_t MonotonicMs()
{
    static DWORD s_lastTick = ::GetTickCount();
    static int64_t s_wraps = 0;
    DWORD tick = ::GetTickCount();
    if (tick < s_lastTick)
        ++s_wraps;
    s_lastTick = tick;
    return (s_wraps << 32) + tick;
}

// Milliseconds since 1970 on the wall clock.
int64_t WallClockMs() { return CTime::GetCurrentTimeMs(); }
}  // namespace

void CShutdownDlg::SetPickerTime(const CTime& time)
{
    SYSTEMTIME local = {};
    if (time.GetAsSystemTime(local))
        SendDlgItemMessage(IDC_TIME_AT, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&local));
}

// The local date and time the picker holds; only its time of day is shown.
afx::CivilTime CShutdownDlg::PickerReading()
{
    SYSTEMTIME local = {};
    afx::CivilTime t;
    if (SendDlgItemMessage(IDC_TIME_AT, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&local)) == GDT_VALID)
        t = CivilFromSystemTime(local);
    return t;
}

// Idle: the timing controls as "Now" and the mode allow; counting: all off but "Hide on minimize...".
void CShutdownDlg::EnableTimingControls(BOOL bIdle)
{
    BOOL bAt = bIdle && m_nTimingMode == 0;
    BOOL bAfter = bIdle && m_nTimingMode != 0;
    EnableDlgItem(IDC_NOW, bIdle);
    EnableDlgItem(IDC_RADIO_AFTER, bIdle);
    EnableDlgItem(IDC_RADIO_AT, bIdle);
    EnableDlgItem(IDC_MIN_LABEL, bIdle);
    EnableDlgItem(IDC_DURATION, bAfter);
    EnableDlgItem(IDC_DURATION_SPIN, bAfter);
    EnableDlgItem(IDC_TIME_AT, bAt);
    EnableDlgItem(IDC_OK, bIdle);
    EnableDlgItem(IDC_HIDE_ON_MINIMIZE, !bIdle);
}

void CShutdownDlg::OnNow()
{
    // Read from the buttons, not through the data exchange: a minutes value
    // that OK would refuse must not keep disabled the field that corrects it.
    m_bNow = ::IsDlgButtonChecked(m_hWnd, IDC_NOW) == BST_CHECKED;
    if (::IsDlgButtonChecked(m_hWnd, IDC_RADIO_AFTER) == BST_CHECKED)
        m_nTimingMode = 1;
    else if (::IsDlgButtonChecked(m_hWnd, IDC_RADIO_AT) == BST_CHECKED)
        m_nTimingMode = 0;
    BOOL bTiming = !m_bNow;
    EnableDlgItem(IDC_RADIO_AT, bTiming);
    EnableDlgItem(IDC_RADIO_AFTER, bTiming);
    EnableDlgItem(IDC_TIME_AT, bTiming && m_nTimingMode == 0);
    EnableDlgItem(IDC_DURATION, bTiming && m_nTimingMode != 0);
    EnableDlgItem(IDC_DURATION_SPIN, bTiming && m_nTimingMode != 0);
    EnableDlgItem(IDC_MIN_LABEL, bTiming);
    if (bTiming)
        SetPickerTime(CTime::GetCurrentTime() + kDefaultLeadSeconds);
}

void CShutdownDlg::OnAt()
{
    EnableDlgItem(IDC_DURATION, FALSE);
    EnableDlgItem(IDC_DURATION_SPIN, FALSE);
    EnableDlgItem(IDC_TIME_AT, TRUE);
    SetPickerTime(CTime::GetCurrentTime() + kDefaultLeadSeconds);
}

void CShutdownDlg::OnAfter()
{
    EnableDlgItem(IDC_DURATION, TRUE);
    EnableDlgItem(IDC_DURATION_SPIN, TRUE);
    EnableDlgItem(IDC_TIME_AT, FALSE);
}

void CShutdownDlg::OnOkButton()
{
    if (!UpdateData(TRUE) || !ActionPossibleHere())
        return;

    if (m_bNow) {
        if (m_bConfirm && (!ConfirmAction() || m_bExiting))
            return;
        m_bMayClose = FALSE;
        SaveSettings();
        ExecuteAction();
        return;
    }

    // "at" aims at the next local occurrence of the picker's time of day; the
    // picker's date, which the user cannot see, is stale after a long idle or
    // already tomorrow's near midnight. A mode that is neither gives no count.
    int64_t nowMs = WallClockMs();
    int64_t timeAt = m_timeAt.GetTime();
    int count = CountFor(m_nTimingMode, PickerReading(), nowMs / 1000, LocalZoneOffset(), m_nDuration, &timeAt);
    m_timeAt = CTime(timeAt);
    // The count is in whole seconds from the current second; "at" expires on
    // the target instant itself, not up to a second after it.
    m_nExpiryMs = m_nTimingMode == 0 && count > 0 ? static_cast<UINT>(timeAt * 1000 - nowMs) : 0;

    if (!StartCountdown(count)) {
        MessageBox("Unable to start", kAppCaption, MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    SaveSettings();
    m_bRunning = TRUE;
    m_progress.SetPos(0);
    ShowRemaining(count);
    EnableTimingControls(FALSE);
}

BOOL CShutdownDlg::StartCountdown(int count)
{
    if (count == 0)
        return FALSE;
    m_nRemaining = count;
    // The clock counts to the instant the expiry timer fires, and each tick
    // comes when a whole number of seconds is left: the text shows the time
    // left rounded up, also when an "at" target lies a fraction of a second
    // short of the count.
    UINT expiryMs = m_nExpiryMs ? m_nExpiryMs : static_cast<UINT>(count) * kTickMs;
    const int64_t now = MonotonicMs();
    m_clock.Start(count, now, expiryMs);
    if (m_nExpiryMs) {
        // An "at" target (m_timeAt, just set by OnOkButton) is an instant of
        // the wall clock: the expiry timer looks at that clock before it ends
        // the countdown, and comes back if the instant is still ahead.
        m_clock.FollowWallClock(static_cast<int64_t>(m_timeAt.GetTime()) * 1000);
        expiryMs = static_cast<UINT>(m_clock.ExpiryWaitMs(WallClockMs()));
    }
    SetTimer(kProgressTimer, static_cast<UINT>(count) * (kTickMs / kProgressSteps));
    SetTimer(kExpiryTimer, expiryMs);
    SetTimer(kTickTimer, static_cast<UINT>(m_clock.MsToNextWholeSecond(now)));
    return TRUE;
}

void CShutdownDlg::OnTimer(UINT_PTR nIDEvent)
{
    switch (nIDEvent) {
    case kTickTimer: {
        const int64_t now = MonotonicMs();
        m_clock.Resync(now, WallClockMs());
        if (m_clock.EndHasCome(now, WallClockMs())) {
            // Slept past the end, or the wall clock was set past the target:
            // the countdown ends now, without a last time shown.
            OnTimer(kExpiryTimer);
            break;
        }
        m_nRemaining = m_clock.RemainingAt(now);
        SetTimer(kTickTimer, static_cast<UINT>(m_clock.MsToNextWholeSecond(now)));
        ShowRemaining(m_nRemaining);
        if (m_clock.TakeWarning(m_nRemaining) && !m_bTrayIconHidden)
            ShowNotification(FALSE, TRUE);
        break;
    }
    case kProgressTimer:
        m_progress.StepIt();
        break;
    case kExpiryTimer:
        if (m_clock.FollowsWallClock()) {
            const int64_t wait = m_clock.ExpiryWaitMs(WallClockMs());
            if (wait > 0) {
                SetTimer(kExpiryTimer, static_cast<UINT>(wait));
                break;
            }
        }
        // Once per countdown: a timer message already queued when the tick
        // ended it, or one left from a stopped countdown, ends nothing.
        if (!m_bRunning || !m_clock.TakeExpiry())
            break;
        KillTimer(kProgressTimer);
        KillTimer(kExpiryTimer);
        KillTimer(kTickTimer);
        EnableDlgItem(IDC_ACTION, FALSE);
        EnableDlgItem(IDC_CANCEL, FALSE);
        m_progress.SetPos(kProgressSteps);
        // Picks up a confirmation setting changed from the tray menu meanwhile.
        if (!UpdateData(TRUE))
            return;
        SetDlgItemText(IDC_REMAINING, "Timer expired");
        m_bNotify = FALSE;
        {
            // The tray menu stays live while the question is open: a stop
            // or an "Exit" chosen meanwhile outweighs either answer.
            const BOOL confirmed = !m_bConfirm || ConfirmAction();
            if (m_bExiting) {
                // the dialog is ending; the program ends with it
            } else if (!confirmed || !m_bRunning) {
                ReturnToIdle();
            } else {
                m_bMayClose = FALSE;
                ExecuteAction();
            }
        }
        m_bNotify = TRUE;
        break;
    default:
        break;
    }
}

BOOL CShutdownDlg::ConfirmAction()
{
    if (m_bInTray && m_bTrayIconHidden) {
        NotifyIcon(NIM_ADD);
        m_bTrayIconHidden = FALSE;
    }
    CString prompt = "Are you sure you want to " + m_strActionVerb + " the computer?";
    return MessageBox(prompt, "Quellix timer expired", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

CString CShutdownDlg::FormatRemaining(int seconds) const { return CString(quellix::FormatRemaining(seconds)); }

void CShutdownDlg::ShowRemaining(int seconds)
{
    CString text = "Left " + FormatRemaining(seconds);
    SetDlgItemText(IDC_REMAINING, text);
    if (m_bInTray) {
        lstrcpynA(m_nid.szTip, TrayTipText(m_strTitle.str(), text.str()).c_str(), sizeof m_nid.szTip);
        NotifyIcon(NIM_MODIFY);
    }
}

void CShutdownDlg::OnCancelButton()
{
    m_bMayClose = TRUE;
    if (m_bRunning)
        StopCountdown();
    else
        CDialog::OnCancel();
}

void CShutdownDlg::StopCountdown()
{
    UpdateData(TRUE);
    EnableTimingControls(TRUE);
    // Disabled by an expiry that made its request; a stop after it must not
    // leave the list and Cancel out of reach.
    EnableDlgItem(IDC_ACTION, TRUE);
    EnableDlgItem(IDC_CANCEL, TRUE);
    KillTimer(kProgressTimer);
    KillTimer(kExpiryTimer);
    KillTimer(kTickTimer);
    m_bRunning = FALSE;
    m_bHideOnMinimize = FALSE;
    ShowNotification(FALSE, FALSE);
    UpdateData(FALSE);
}

// After a stand-by, hibernate or lock has come back: a countdown's dialog
// returns to idle; one that acted "Now" has done its job and ends.
void CShutdownDlg::ResetAfterAction()
{
    if (m_bRunning) {
        ReturnToIdle();
    } else {
        m_bMayClose = TRUE;
        CDialog::OnCancel();
    }
}

// Idle and usable again after an expiry or a "Now" that ended in the dialog:
// no countdown, the list, Cancel, Escape and the close box working, the
// dialog shown in front.
void CShutdownDlg::ReturnToIdle()
{
    m_bMayClose = TRUE;
    if (m_bRunning)
        StopCountdown();
    EnableDlgItem(IDC_ACTION, TRUE);
    EnableDlgItem(IDC_CANCEL, TRUE);
    SetDlgItemText(IDC_REMAINING, "");
    m_progress.SetPos(0);
    HideToTray(FALSE);
}

void CShutdownDlg::OnStopTimer()
{
    if (m_bRunning)
        StopCountdown();
    SetTipToCaption();
    NotifyIcon(NIM_MODIFY);
    m_menuTray.EnableMenuItem(ID_TRAY_STOP_TIMER, MF_BYCOMMAND | (m_bRunning ? MF_ENABLED : MF_GRAYED | MF_DISABLED));
}
