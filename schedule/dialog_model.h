// The main dialog's life as one state machine: the schedule (idle, counting,
// asking, acting, expired, closed) and the dialog's presence (shown, in the
// tray, icon hidden, awaiting the shell's notification area).
//
// Every user action, timer and shell message is one event; each returns the
// effects the dialog carries out, in the order Effects lists them. At most one
// effect has an outcome, and it comes last: the dialog hands its result back
// as the next event. An event that cannot happen in the current state is
// ignored: no change, no effect.
#pragma once

#include "schedule/timing.h"
#include "schedule/wait_target.h"

#include <cstdint>
#include <string>

namespace quellix {

enum class Schedule {
    Idle,       // no countdown; an action may have been requested "Now"
    Counting,   // timers alive
    Prompting,  // the Yes/No question is open (at expiry, or before a "Now")
    Acting,     // the system request is being made
    Expired,    // a countdown's request was made; the session is to end
    Closed,     // the dialog has ended
};

enum class Presence {
    Shown,          // the window is on screen; no icon
    InTray,         // the window is hidden; the icon is there
    IconHidden,     // the window and the icon are both hidden
    AwaitingShell,  // no notification area to hide into: minimised on the task bar
};

// What a countdown counts down: its whole seconds, and for an "at" target
// the instant of the wall clock it ends on.
struct CountdownSpan {
    int count = 0;             // seconds; 0 when none can start
    int64_t expiryMs = 0;      // to the end, when not the whole count: an "at" target lies up to a second nearer
    int64_t targetWallMs = 0;  // an "at" target, ms since 1970; 0 for "after"
    int64_t wakeWallMs = 0;    // the end on the wall clock, when the action wakes the machine for it; else 0

    bool operator==(const CountdownSpan& o) const
    {
        return count == o.count && expiryMs == o.expiryMs && targetWallMs == o.targetWallMs &&
               wakeWallMs == o.wakeWallMs;
    }
};

// What a tick, or a resume brought up to date, found on the countdown's clock.
struct TickReading {
    int remaining = 0;       // whole seconds left
    bool warn = false;       // the warning is due
    bool moved = false;      // the end moved (its warning's moment was missed): the bar and the wake timer follow
    int progress = 0;        // with `moved`: the bar's position, 0 to 100
    int64_t wakeWallMs = 0;  // with `moved`: the new end on the wall clock
};

struct Effects {
    // Wait: only the one-second tick, on which the dialog looks for the end of
    // what a countdown waits for; there is no end to count to yet.
    enum class Timers { Keep, Set, Wait, Kill };
    enum class Switch { Keep, On, Off };
    enum class Progress { Keep, Empty, Full, At };
    enum class Wake { Keep, Set, Cancel };
    // Waiting: what a countdown waits for, instead of a time ("Waiting for ffmpeg.exe to end").
    enum class Text { Keep, Remaining, Waiting, Expired, Empty };
    enum class Tip { Keep, Caption, Remaining, Waiting };
    // Add: put the icon back; whether the shell takes it does not matter.
    enum class Icon { None, Add, Modify, Delete };
    enum class Window { Keep, Hide, Show, Minimise };
    // Hidden: the whole menu, for a hide; StopTimer: that item alone;
    // Confirmation: the "Ask Confirmation" check alone.
    enum class Menu { Keep, Hidden, StopTimer, Confirmation };
    enum class Popup { None, Stopped, Remember, Warning };
    // The one effect whose result decides what follows: it comes last, and
    // its result is the model's next event.
    enum class Outcome {
        None,
        ShowIcon,  // add the icon for a hide: IconShown or IconRefused
        Ask,       // the Yes/No question: Answer
        Request,   // the system request: RequestMade or RequestRefused
    };

    Timers timers = Timers::Keep;
    CountdownSpan countdown;      // with Timers::Set: what the timers count
    bool save = false;            // the settings are written
    bool unableToStart = false;   // the "Unable to start" message
    bool stopped = false;         // the countdown stopped: "Hide on minimize..." is cleared
    bool timingControls = false;  // the timing controls follow TimingControlsFor again
    Switch listAndCancel = Switch::Keep;
    Switch confirmBox = Switch::Keep;  // the confirmation check box follows the model
    Switch keepAwake = Switch::Keep;   // the system is asked to stay awake, or no longer
    Wake wake = Wake::Keep;            // the wake timer for the end
    int64_t wakeWallMs = 0;            // with Wake::Set: its instant, ms since 1970
    Progress progress = Progress::Keep;
    int progressPos = 0;  // with Progress::At
    Text text = Text::Keep;
    Tip tip = Tip::Keep;
    int remaining = 0;   // the seconds a Remaining text or tip shows
    WaitTarget waitFor;  // what a Waiting text or tip names
    Icon icon = Icon::None;
    Window window = Window::Keep;
    Menu menu = Menu::Keep;
    Popup popup = Popup::None;
    std::string refusal;    // a refused request, explained in a message
    bool endBoxes = false;  // the dialog's open boxes (the question above all) are ended
    bool endDialog = false;
    Outcome outcome = Outcome::None;

    bool operator==(const Effects& o) const;
    bool operator!=(const Effects& o) const { return !(*this == o); }
};

struct ModelState {
    Schedule schedule = Schedule::Idle;
    Presence presence = Presence::Shown;
    // A countdown was started and not stopped; through the expiry until a stop.
    bool running = false;
    // Escape and the close box may end the idle dialog.
    bool mayClose = true;
    // The expiry is being handled (asking or acting): no popups meanwhile.
    bool expiring = false;
    // The last OK was the user's: its choices are stored. One from the
    // command line leaves the user's own in place.
    bool storeChoices = true;
    // "Ask Confirmation": the question comes before the action.
    bool confirm = true;
    // "Hide on minimize...": a hide during a countdown takes the icon too.
    bool hideOnMinimize = false;
    // Seconds left, as the last tick found them.
    int remaining = 0;
    // The countdown's end wakes the machine (a wake timer is set for it).
    bool wakes = false;
    // Counting, but waiting for these processes to end: no end is known yet.
    WaitTarget waitFor;
    // Minutes a postponement adds once the end is known (after the wait).
    int postponed = 0;

    bool operator==(const ModelState& o) const;
    bool operator!=(const ModelState& o) const { return !(*this == o); }
};

class DialogModel {
public:
    DialogModel() = default;
    explicit DialogModel(const ModelState& state) : m_s(state) {}

    const ModelState& State() const { return m_s; }
    bool Running() const { return m_s.running; }
    bool MayClose() const { return m_s.mayClose; }
    bool Notify() const { return !m_s.expiring; }
    bool InTray() const { return m_s.presence == Presence::InTray || m_s.presence == Presence::IconHidden; }
    bool TrayIconHidden() const { return m_s.presence == Presence::IconHidden; }
    bool Closed() const { return m_s.schedule == Schedule::Closed; }
    bool Waiting() const { return !m_s.waitFor.Empty(); }

    // Inputs the user, the tray menu or a command changes.
    Effects ConfirmationSet(bool on);
    Effects HideOnMinimizeSet(bool on);

    // Schedule. `span` is what an "at" or "after" countdown counts, a count
    // of 0 when none can start; a "Now" ignores it.
    Effects Ok(Timing timing, const CountdownSpan& span, bool storeChoices = true);
    // A countdown that waits for `target`'s processes to end before its end
    // is known: the dialog looks once per tick.
    Effects Wait(const WaitTarget& target, bool storeChoices = true);
    // They have ended: `span` (the last seconds) counts down as any
    // countdown, with the minutes postponed meanwhile; too short to pass
    // the warning's moment, it warns at once.
    Effects ConditionMet(const CountdownSpan& span);
    // Input during an idle countdown: it counts `span` from now.
    Effects CountRestarted(const CountdownSpan& span);
    // "/postpone": `moved` is the running countdown with its end `minutes`
    // later; while waiting the minutes are kept for after the wait.
    Effects Postpone(int minutes, const CountdownSpan& moved);
    Effects CancelButton();
    Effects Escape();  // the Escape key or the close box
    Effects StopTimer();
    // "/stop": as "Stop Timer", and also ends the question before a "Now".
    Effects CommandStop();
    Effects Exit();
    Effects Tick(const TickReading& reading);
    // The session ends with the countdown still running.
    Effects SessionEnding();
    Effects Expiry();
    Effects Answer(bool yes);
    // resetAfter: a stand-by, hibernate or lock that has come back.
    Effects RequestMade(bool resetAfter);
    Effects RequestRefused(const std::string& refusal);

    // Presence.
    Effects Minimise();
    // An activation change; a hidden dialog is activated to own the icon's menu.
    Effects Activated(bool visible, bool minimised);
    Effects Unminimised();  // restored from the task bar by the user
    Effects Restore();      // the icon, the menu's "Restore", a later copy
    Effects HideIcon();     // the menu's "Hide"
    Effects TaskbarCreated();
    Effects IconShown();
    Effects IconRefused();
    // A countdown started from the command line goes to the tray at once,
    // its tip already telling the time left.
    Effects CommandHide();

private:
    Effects HideToTray(bool hideIcon, Effects::Tip tip);
    Effects Recount(const CountdownSpan& span);
    void ShowTip(Effects& e, Effects::Tip tip) const;
    void EndWaiting(Effects& e);
    void StopCountdown(Effects& e);
    Effects ReturnToIdle();
    Effects Act(bool save);
    Effects EndDialog();

    ModelState m_s;
};

// Which timing controls are enabled: while a countdown runs only "Hide on
// minimize..."; when idle the timing mode's own controls, unless "Now".
struct TimingControls {
    bool now, at, after, picker, minutes, minLabel, ok, hideOnMinimize;
};
TimingControls TimingControlsFor(bool running, bool now, bool modeAfter);

}  // namespace quellix
