#include "schedule/dialog_model.h"

#include "dialog/settings_values.h"
#include "schedule/countdown_clock.h"
#include "schedule/idle_rule.h"

#include <algorithm>

namespace quellix {

bool Effects::operator==(const Effects& o) const
{
    return timers == o.timers && countdown == o.countdown && save == o.save && unableToStart == o.unableToStart &&
           stopped == o.stopped && timingControls == o.timingControls && listAndCancel == o.listAndCancel &&
           confirmBox == o.confirmBox && keepAwake == o.keepAwake && wake == o.wake && wakeWallMs == o.wakeWallMs &&
           progress == o.progress && progressPos == o.progressPos && text == o.text && tip == o.tip &&
           remaining == o.remaining && waitFor == o.waitFor && icon == o.icon && window == o.window && menu == o.menu &&
           popup == o.popup && refusal == o.refusal && endBoxes == o.endBoxes && endDialog == o.endDialog &&
           outcome == o.outcome;
}

bool ModelState::operator==(const ModelState& o) const
{
    return schedule == o.schedule && presence == o.presence && running == o.running && mayClose == o.mayClose &&
           expiring == o.expiring && storeChoices == o.storeChoices && confirm == o.confirm &&
           hideOnMinimize == o.hideOnMinimize && remaining == o.remaining && wakes == o.wakes && waitFor == o.waitFor &&
           postponed == o.postponed;
}

TimingControls TimingControlsFor(bool running, bool now, bool modeAfter)
{
    const bool timed = !running && !now;
    return {!running, timed, timed, timed && !modeAfter, timed && modeAfter, timed, !running, running};
}

Effects DialogModel::ConfirmationSet(bool on)
{
    Effects e;
    if (m_s.schedule == Schedule::Closed)
        return e;
    m_s.confirm = on;
    e.confirmBox = on ? Effects::Switch::On : Effects::Switch::Off;
    e.menu = Effects::Menu::Confirmation;
    return e;
}

Effects DialogModel::HideOnMinimizeSet(bool on)
{
    m_s.hideOnMinimize = on;
    return Effects();
}

Effects DialogModel::Ok(Timing timing, const CountdownSpan& span, bool storeChoices)
{
    Effects e;
    if (m_s.schedule != Schedule::Idle)
        return e;
    m_s.storeChoices = storeChoices;
    if (timing == Timing::Now) {
        if (!m_s.confirm)
            return Act(storeChoices);
        m_s.schedule = Schedule::Prompting;
        e.outcome = Effects::Outcome::Ask;
        return e;
    }
    if (span.count == 0) {
        e.unableToStart = true;
        return e;
    }
    m_s.schedule = Schedule::Counting;
    m_s.running = true;
    m_s.remaining = span.count;
    m_s.wakes = span.wakeWallMs != 0;
    e.timers = Effects::Timers::Set;
    e.countdown = span;
    e.keepAwake = Effects::Switch::On;
    if (m_s.wakes) {
        e.wake = Effects::Wake::Set;
        e.wakeWallMs = span.wakeWallMs;
    }
    e.save = storeChoices;
    e.progress = Effects::Progress::Empty;
    e.text = Effects::Text::Remaining;
    e.remaining = span.count;
    e.timingControls = true;
    return e;
}

Effects DialogModel::Wait(const WaitTarget& target, bool storeChoices)
{
    Effects e;
    if (m_s.schedule != Schedule::Idle || target.Empty())
        return e;
    m_s.storeChoices = storeChoices;
    m_s.schedule = Schedule::Counting;
    m_s.running = true;
    m_s.remaining = 0;
    m_s.waitFor = target;
    m_s.postponed = 0;
    // Nothing wakes the machine for an end nobody knows; it stays awake meanwhile.
    m_s.wakes = false;
    e.timers = Effects::Timers::Wait;
    e.keepAwake = Effects::Switch::On;
    e.save = storeChoices;
    e.progress = Effects::Progress::Empty;
    e.text = Effects::Text::Waiting;
    e.waitFor = target;
    e.timingControls = true;
    return e;
}

Effects DialogModel::ConditionMet(const CountdownSpan& span)
{
    if (m_s.schedule != Schedule::Counting || !Waiting())
        return Effects();
    CountdownSpan last = span;
    const int64_t addMs = PostponedMsLeft(int64_t{last.count} * 1000, m_s.postponed) - int64_t{last.count} * 1000;
    last.count += static_cast<int>(addMs / 1000);
    for (int64_t* ms : {&last.expiryMs, &last.targetWallMs, &last.wakeWallMs})
        if (*ms)
            *ms += addMs;
    m_s.waitFor = WaitTarget();
    m_s.postponed = 0;
    m_s.wakes = last.wakeWallMs != 0;
    Effects e = Recount(last);
    // The clock only warns when a tick passes the warning's moment.
    if (last.count <= kWarningSeconds && m_s.presence != Presence::IconHidden)
        e.popup = Effects::Popup::Warning;
    return e;
}

Effects DialogModel::CountRestarted(const CountdownSpan& span)
{
    if (m_s.schedule != Schedule::Counting || Waiting())
        return Effects();
    return Recount(span);
}

Effects DialogModel::Postpone(int minutes, const CountdownSpan& moved)
{
    if (m_s.schedule != Schedule::Counting)
        return Effects();
    if (Waiting()) {
        m_s.postponed = std::min(m_s.postponed + minutes, kMinutesMax);
        return Effects();
    }
    return Recount(moved);
}

// The countdown counts `span` from now: the timers, the bar, the text, the
// tip and the wake timer start over; the warning is armed again by the clock.
Effects DialogModel::Recount(const CountdownSpan& span)
{
    Effects e;
    m_s.remaining = span.count;
    e.timers = Effects::Timers::Set;
    e.countdown = span;
    e.countdown.wakeWallMs = m_s.wakes ? span.wakeWallMs : 0;
    if (m_s.wakes) {
        e.wake = Effects::Wake::Set;
        e.wakeWallMs = span.wakeWallMs;
    }
    e.progress = Effects::Progress::Empty;
    e.text = Effects::Text::Remaining;
    e.remaining = span.count;
    if (InTray()) {
        e.tip = Effects::Tip::Remaining;
        e.icon = Effects::Icon::Modify;
    }
    return e;
}

// The request, after OK with "Now" or at expiry; Escape no longer ends the dialog.
Effects DialogModel::Act(bool save)
{
    Effects e;
    m_s.schedule = Schedule::Acting;
    m_s.mayClose = false;
    e.save = save;
    e.outcome = Effects::Outcome::Request;
    return e;
}

// Nothing more to wait for: the system may sleep again, and nothing wakes it.
void DialogModel::EndWaiting(Effects& e)
{
    e.keepAwake = Effects::Switch::Off;
    if (m_s.wakes)
        e.wake = Effects::Wake::Cancel;
    m_s.wakes = false;
}

void DialogModel::StopCountdown(Effects& e)
{
    if (m_s.schedule == Schedule::Counting)
        EndWaiting(e);
    m_s.running = false;
    m_s.hideOnMinimize = false;
    m_s.waitFor = WaitTarget();
    m_s.postponed = 0;
    e.timers = Effects::Timers::Kill;
    e.stopped = true;
    e.timingControls = true;
    // An expiry that made its request disabled them; a stop must not leave them out of reach.
    e.listAndCancel = Effects::Switch::On;
    if (!m_s.expiring)
        e.popup = Effects::Popup::Stopped;
}

// Idle and usable again: the list, Cancel, Escape and the close box working,
// the dialog shown in front. No popup: the expiry is still being handled.
Effects DialogModel::ReturnToIdle()
{
    Effects e;
    m_s.mayClose = true;
    if (m_s.running)
        StopCountdown(e);
    m_s.schedule = Schedule::Idle;
    m_s.expiring = false;
    m_s.presence = Presence::Shown;
    e.listAndCancel = Effects::Switch::On;
    e.text = Effects::Text::Empty;
    e.progress = Effects::Progress::Empty;
    e.window = Effects::Window::Show;
    return e;
}

Effects DialogModel::EndDialog()
{
    m_s.schedule = Schedule::Closed;
    Effects e;
    e.endDialog = true;
    return e;
}

Effects DialogModel::CancelButton()
{
    Effects e;
    if (m_s.schedule == Schedule::Counting) {
        m_s.mayClose = true;
        StopCountdown(e);
        m_s.schedule = Schedule::Idle;
    } else if (m_s.schedule == Schedule::Idle) {
        m_s.mayClose = true;
        return EndDialog();
    }
    return e;
}

Effects DialogModel::Escape()
{
    switch (m_s.schedule) {
    case Schedule::Idle:
        return m_s.mayClose ? EndDialog() : Effects();  // else a request is out: stay
    case Schedule::Counting:
    case Schedule::Expired:
        return HideToTray(m_s.hideOnMinimize, Effects::Tip::Caption);  // the countdown goes on
    default:
        return Effects();
    }
}

Effects DialogModel::StopTimer()
{
    Effects e;
    switch (m_s.schedule) {
    case Schedule::Counting:
    case Schedule::Expired:
        StopCountdown(e);
        m_s.schedule = Schedule::Idle;
        break;
    case Schedule::Prompting:
        // Chosen while the expiry's question is open: the countdown stops
        // now, and the answer then only returns the dialog to idle.
        if (m_s.running)
            StopCountdown(e);
        break;
    case Schedule::Idle:
        break;
    default:
        return e;
    }
    e.tip = Effects::Tip::Caption;
    e.icon = Effects::Icon::Modify;
    e.menu = Effects::Menu::StopTimer;
    return e;
}

Effects DialogModel::CommandStop()
{
    if (m_s.schedule == Schedule::Prompting && !m_s.expiring) {
        // The question before a "Now" is closed as No: nothing is carried out.
        m_s.schedule = Schedule::Idle;
        Effects e;
        e.endBoxes = true;
        return e;
    }
    if (!m_s.running)
        return Effects();
    return StopTimer();
}

Effects DialogModel::Exit()
{
    Effects e;
    if (m_s.schedule == Schedule::Closed)
        return e;
    // A running countdown is abandoned; an open question is ended unanswered
    // and nothing is carried out.
    if (m_s.schedule == Schedule::Counting)
        EndWaiting(e);
    m_s.schedule = Schedule::Closed;
    m_s.running = false;
    m_s.expiring = false;
    m_s.waitFor = WaitTarget();
    m_s.postponed = 0;
    e.icon = Effects::Icon::Delete;
    e.endBoxes = true;
    e.endDialog = true;
    return e;
}

Effects DialogModel::Tick(const TickReading& reading)
{
    Effects e;
    if (m_s.schedule != Schedule::Counting || Waiting())
        return e;
    m_s.remaining = reading.remaining;
    e.text = Effects::Text::Remaining;
    e.remaining = reading.remaining;
    if (reading.moved) {
        e.progress = Effects::Progress::At;
        e.progressPos = reading.progress;
        if (m_s.wakes) {
            e.wake = Effects::Wake::Set;
            e.wakeWallMs = reading.wakeWallMs;
        }
    }
    if (InTray()) {
        e.tip = Effects::Tip::Remaining;
        e.icon = Effects::Icon::Modify;
    }
    if (reading.warn && m_s.presence != Presence::IconHidden)
        e.popup = Effects::Popup::Warning;
    return e;
}

Effects DialogModel::SessionEnding()
{
    Effects e;
    if (m_s.schedule == Schedule::Counting)
        EndWaiting(e);
    return e;
}

Effects DialogModel::Expiry()
{
    Effects e;
    if (m_s.schedule != Schedule::Counting || Waiting())
        return e;
    Effects waited;
    EndWaiting(waited);
    m_s.expiring = true;
    if (!m_s.confirm) {
        e = Act(false);
    } else {
        m_s.schedule = Schedule::Prompting;
        e.outcome = Effects::Outcome::Ask;
        if (m_s.presence == Presence::IconHidden) {
            // The icon comes back for the question; the dialog stays hidden.
            m_s.presence = Presence::InTray;
            e.icon = Effects::Icon::Add;
        }
    }
    e.timers = Effects::Timers::Kill;
    e.keepAwake = waited.keepAwake;
    e.wake = waited.wake;
    e.listAndCancel = Effects::Switch::Off;
    e.progress = Effects::Progress::Full;
    e.text = Effects::Text::Expired;
    return e;
}

Effects DialogModel::Answer(bool yes)
{
    if (m_s.schedule != Schedule::Prompting)
        return Effects();
    if (!m_s.expiring) {  // the question before a "Now"
        if (!yes) {
            m_s.schedule = Schedule::Idle;
            return Effects();
        }
        return Act(m_s.storeChoices);
    }
    if (!yes || !m_s.running)  // declined, or stopped meanwhile
        return ReturnToIdle();
    return Act(false);
}

Effects DialogModel::RequestMade(bool resetAfter)
{
    if (m_s.schedule != Schedule::Acting)
        return Effects();
    if (resetAfter) {
        if (m_s.running)
            return ReturnToIdle();
        // A "Now" has done its job: the dialog ends.
        m_s.mayClose = true;
        return EndDialog();
    }
    // The session is to end; until it does the dialog waits, and Escape and
    // the close box leave it open.
    m_s.schedule = m_s.running ? Schedule::Expired : Schedule::Idle;
    m_s.expiring = false;
    return Effects();
}

Effects DialogModel::RequestRefused(const std::string& refusal)
{
    if (m_s.schedule != Schedule::Acting)
        return Effects();
    Effects e = ReturnToIdle();
    e.refusal = refusal;
    return e;
}

// Into the notification area; with `hideIcon` during a countdown without the
// icon too. A hide into the icon goes on once the shell has taken it.
Effects DialogModel::HideToTray(bool hideIcon, Effects::Tip tip)
{
    Effects e;
    ShowTip(e, tip);
    if (hideIcon && m_s.running) {
        m_s.presence = Presence::IconHidden;
        e.icon = Effects::Icon::Delete;
        e.window = Effects::Window::Hide;
        e.menu = Effects::Menu::Hidden;
        e.popup = Notify() ? Effects::Popup::Remember : Effects::Popup::None;
    } else {
        m_s.presence = Presence::InTray;
        e.outcome = Effects::Outcome::ShowIcon;
    }
    return e;
}

Effects DialogModel::IconShown()
{
    Effects e;
    if (m_s.presence != Presence::InTray)
        return e;
    e.window = Effects::Window::Hide;
    e.menu = Effects::Menu::Hidden;
    if (!m_s.running && Notify())
        e.popup = Effects::Popup::Stopped;
    return e;
}

// The shell refused the icon of a hide: without a notification area a hidden
// dialog would have no way back, so it waits minimised on the task bar.
Effects DialogModel::IconRefused()
{
    Effects e;
    if (m_s.presence != Presence::InTray)
        return e;
    m_s.presence = Presence::AwaitingShell;
    e.window = Effects::Window::Minimise;
    return e;
}

Effects DialogModel::Minimise()
{
    if (m_s.schedule == Schedule::Closed || m_s.presence != Presence::Shown)
        return Effects();
    return HideToTray(m_s.hideOnMinimize, Effects::Tip::Caption);
}

Effects DialogModel::Activated(bool visible, bool minimised)
{
    if (m_s.schedule == Schedule::Closed || (InTray() && !visible))
        return Effects();
    if (minimised)
        return HideToTray(m_s.hideOnMinimize, Effects::Tip::Caption);
    m_s.presence = Presence::Shown;
    Effects e;
    e.tip = Effects::Tip::Caption;
    e.icon = Effects::Icon::Delete;  // how the icon goes after a restore
    return e;
}

Effects DialogModel::Unminimised()
{
    if (m_s.presence == Presence::AwaitingShell)
        m_s.presence = Presence::Shown;
    return Effects();
}

Effects DialogModel::Restore()
{
    Effects e;
    if (m_s.schedule == Schedule::Closed)
        return e;
    // The activation that follows removes the icon.
    m_s.presence = Presence::Shown;
    e.window = Effects::Window::Show;
    return e;
}

Effects DialogModel::HideIcon()
{
    Effects e;
    if (m_s.schedule == Schedule::Closed || m_s.presence != Presence::InTray)
        return e;
    m_s.presence = Presence::IconHidden;
    e.popup = Notify() ? Effects::Popup::Remember : Effects::Popup::None;
    e.icon = Effects::Icon::Delete;
    return e;
}

Effects DialogModel::TaskbarCreated()
{
    Effects e;
    if (m_s.schedule == Schedule::Closed)
        return e;
    if (m_s.presence == Presence::InTray)
        e.icon = Effects::Icon::Add;  // the new shell has no icon of ours
    else if (m_s.presence == Presence::AwaitingShell)
        e = HideToTray(m_s.hideOnMinimize, Effects::Tip::Caption);
    return e;
}

// While waiting no tick brings the tip up to date: it says what is waited for at once.
void DialogModel::ShowTip(Effects& e, Effects::Tip tip) const
{
    e.tip = Waiting() ? Effects::Tip::Waiting : tip;
    if (Waiting())
        e.waitFor = m_s.waitFor;
}

// A scripted hide always keeps the icon, whatever "Hide on minimize..." says.
Effects DialogModel::CommandHide()
{
    if (m_s.schedule != Schedule::Counting || m_s.presence != Presence::Shown)
        return Effects();
    Effects e = HideToTray(false, Effects::Tip::Remaining);
    e.remaining = m_s.remaining;
    return e;
}

}  // namespace quellix
