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
        SetPickerTime(local);
}

void CShutdownDlg::SetPickerTime(const SYSTEMTIME& local)
{
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

void CShutdownDlg::EnableTimingControls()
{
    const TimingControls on = TimingControlsFor(m_bRunning, m_bNow, m_nTimingMode != 0);
    EnableDlgItem(IDC_NOW, on.now);
    EnableDlgItem(IDC_RADIO_AFTER, on.after);
    EnableDlgItem(IDC_RADIO_AT, on.at);
    EnableDlgItem(IDC_MIN_LABEL, on.minLabel);
    EnableDlgItem(IDC_DURATION, on.minutes);
    EnableDlgItem(IDC_DURATION_SPIN, on.minutes);
    EnableDlgItem(IDC_TIME_AT, on.picker);
    EnableDlgItem(IDC_OK, on.ok);
    EnableDlgItem(IDC_HIDE_ON_MINIMIZE, on.hideOnMinimize);
}

// "Now", "at" and "after" are read from the buttons, not through the data
// exchange: a minutes value that OK would refuse must not keep disabled the
// field that corrects it.
void CShutdownDlg::OnNow()
{
    m_bNow = ::IsDlgButtonChecked(m_hWnd, IDC_NOW) == BST_CHECKED;
    if (::IsDlgButtonChecked(m_hWnd, IDC_RADIO_AFTER) == BST_CHECKED)
        m_nTimingMode = 1;
    else if (::IsDlgButtonChecked(m_hWnd, IDC_RADIO_AT) == BST_CHECKED)
        m_nTimingMode = 0;
    EnableTimingControls();
    if (!m_bNow)
        SetPickerTime(CTime::GetCurrentTime() + kDefaultLeadSeconds);
}

void CShutdownDlg::OnAt()
{
    OnNow();  // a fresh picker time, as when "Now" is cleared
}

void CShutdownDlg::OnAfter()
{
    m_nTimingMode = 1;
    EnableTimingControls();
}

void CShutdownDlg::OnOkButton() { StartFromControls(true); }

// OK as the controls stand; a countdown from the command line does not
// store the choices it made.
void CShutdownDlg::StartFromControls(bool storeChoices)
{
    if (!UpdateData(TRUE) || !ActionPossibleHere())
        return;
    if (m_bNow) {
        Apply(m_model.Ok(Timing::Now, CountdownSpan(), storeChoices));
        return;
    }
    // "at" aims at the next local occurrence of the picker's time of day; the
    // picker's date, which the user cannot see, is stale after a long idle or
    // already tomorrow's near midnight. A mode that is neither gives no count.
    const int64_t nowMs = WallClockMs();
    int64_t timeAt = m_timeAt.GetTime();
    CountdownSpan span;
    span.count = CountFor(m_nTimingMode, PickerReading(), nowMs / 1000, LocalZoneOffset(), m_nDuration, &timeAt);
    m_timeAt = CTime(timeAt);
    // The count is in whole seconds from the current second; "at" expires on
    // the target instant itself, not up to a second after it.
    if (m_nTimingMode == 0 && span.count > 0) {
        span.targetWallMs = timeAt * 1000;
        span.expiryMs = span.targetWallMs - nowMs;
    }
    if (span.count > 0)
        span.wakeWallMs = WakeInstant(span.targetWallMs ? span.targetWallMs : nowMs + int64_t{span.count} * kTickMs);
    Apply(m_model.Ok(m_nTimingMode == 0 ? Timing::At : Timing::After, span, storeChoices));
}

BOOL CShutdownDlg::StartCountdown(const CountdownSpan& span)
{
    const int count = span.count;
    if (count == 0)
        return FALSE;
    // The clock counts to the instant the expiry timer fires, and each tick
    // comes when a whole number of seconds is left: the text shows the time
    // left rounded up, also when an "at" target lies a fraction of a second
    // short of the count.
    UINT expiryMs = span.expiryMs ? static_cast<UINT>(span.expiryMs) : static_cast<UINT>(count) * kTickMs;
    const int64_t now = MonotonicMs();
    m_clock.Start(count, now, expiryMs);
    if (span.targetWallMs) {
        // An "at" target is an instant of the wall clock: the expiry timer
        // looks at that clock before it ends the countdown, and comes back if
        // the instant is still ahead.
        m_clock.FollowWallClock(span.targetWallMs);
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
    case kTickTimer:
        if (ConditionTick())
            break;
        TakeStep(m_clock.OnTick(MonotonicMs(), WallClockMs()));
        break;
    case kProgressTimer:
        m_progress.StepIt();
        break;
    case kExpiryTimer:
        if (ConditionTick())  // input in the last second of an idle countdown
            break;
        TakeStep(m_clock.OnExpiryTimer(MonotonicMs(), WallClockMs()));
        break;
    default:
        break;
    }
}

// What the clock found at a tick, the expiry timer or a resume. A step left
// over from a stopped countdown meets a model that ignores it.
void CShutdownDlg::TakeStep(const CountdownStep& step)
{
    switch (step.kind) {
    case CountdownStep::kWait:
        SetTimer(kExpiryTimer, static_cast<UINT>(step.waitMs));
        break;
    case CountdownStep::kShow:
        if (m_model.State().schedule != Schedule::Counting)
            break;
        SetTimer(kTickTimer, static_cast<UINT>(step.tickMs));
        if (step.moved)  // the end was put 30 s off: the warning's moment had been missed
            SetTimer(kExpiryTimer, static_cast<UINT>(step.waitMs));
        Apply(m_model.Tick({step.remaining, step.warn, step.moved, step.progress, step.wakeWallMs}));
        break;
    case CountdownStep::kEnd:
        Apply(m_model.Expiry());
        break;
    case CountdownStep::kNothing:
        break;
    }
}

// The bar at `position`, its timer stepping the rest of the way over the
// `seconds` left.
void CShutdownDlg::FollowProgress(int position, int seconds)
{
    m_progress.SetPos(position);
    const int steps = kProgressSteps - position;
    if (steps > 0 && seconds > 0)
        SetTimer(kProgressTimer, static_cast<UINT>(seconds) * kTickMs / static_cast<UINT>(steps));
}

// The machine goes to sleep or has come back. Whichever comes first after a
// sleep, this or a tick, the countdown never ends without its warning.
LRESULT CShutdownDlg::OnPowerBroadcast(WPARAM wParam, LPARAM)
{
    if (wParam == PBT_APMSUSPEND)
        m_clock.OnSuspend();
    else if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND)
        TakeStep(m_clock.OnResume(MonotonicMs(), WallClockMs()));
    return TRUE;
}

void CShutdownDlg::KillCountdownTimers()
{
    KillTimer(kProgressTimer);
    KillTimer(kExpiryTimer);
    KillTimer(kTickTimer);
    StopConditions();
}

// The instant the wake timer aims at for an end at `endWallMs`; 0 when the
// selected action needs no running machine (stand by, lock).
int64_t CShutdownDlg::WakeInstant(int64_t endWallMs) const { return WakesForEnd(SelectedActionCode()) ? endWallMs : 0; }

// A countdown that waits has only the tick, to look at what it waits for.
void CShutdownDlg::WaitForCondition() { SetTimer(kTickTimer, kTickMs); }

CountdownSpan CShutdownDlg::SpanEndingIn(int64_t ms, bool atTarget)
{
    const int64_t wallNow = WallClockMs();
    CountdownSpan span;
    span.count = static_cast<int>((ms + 500) / 1000);
    span.expiryMs = ms;
    span.targetWallMs = atTarget ? wallNow + ms : 0;
    return span;
}

// "/postpone": the end moves later, the model says whether now or once the
// wait is over; an idle countdown keeps the minutes for after its quiet ones.
void CShutdownDlg::PostponeCountdown(int minutes)
{
    const bool atTarget = m_clock.FollowsWallClock();
    const int64_t msLeft = m_clock.Postpone(minutes, MonotonicMs(), WallClockMs());
    m_idle.Postponed(msLeft, ::GetTickCount());
    CountdownSpan moved = SpanEndingIn(msLeft, atTarget);
    moved.wakeWallMs = WallClockMs() + msLeft;  // kept by the model only when a wake timer waits for the end
    Apply(m_model.Postpone(minutes, moved));
}

BOOL CShutdownDlg::ConfirmAction()
{
    CString prompt = "Are you sure you want to " + m_strActionVerb + " the computer?";
    return MessageBox(prompt, "Quellix timer expired", MB_YESNO | MB_ICONQUESTION) == IDYES;
}

CString CShutdownDlg::FormatRemaining(int seconds) const { return CString(quellix::FormatRemaining(seconds)); }

void CShutdownDlg::ShowRemaining(int seconds) { SetDlgItemText(IDC_REMAINING, "Left " + FormatRemaining(seconds)); }

void CShutdownDlg::SetTipToRemaining(int seconds)
{
    CString text = "Left " + FormatRemaining(seconds);
    lstrcpynA(m_nid.szTip, TrayTipText(m_strTitle.str(), text.str()).c_str(), sizeof m_nid.szTip);
}

void CShutdownDlg::OnCancelButton() { Apply(m_model.CancelButton()); }

void CShutdownDlg::OnStopTimer() { Apply(m_model.StopTimer()); }
