// The main dialog's life as one state machine: the schedule (idle, counting,
// asking, acting, expired, closed) and the dialog's presence (shown, in the
// tray, icon hidden, awaiting the shell's notification area).
//
// Every user action, timer and shell message is one event; each returns the
// effects the dialog carries out, in the order Effects lists them. An event
// that cannot happen in the current state is ignored: no change, no effect.
#pragma once

#include "schedule/timing.h"

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

struct Effects {
    enum class Timers { Keep, Set, Kill };
    enum class Switch { Keep, On, Off };
    enum class Progress { Keep, Empty, Full };
    enum class Text { Keep, Remaining, Expired, Empty };
    enum class Tip { Keep, Caption, Remaining };
    // Show: add the icon for a hide; a refusal is reported (IconRefused).
    // Add: put it back; the result does not matter.
    enum class Icon { None, Show, Add, Modify, Delete };
    enum class Window { Keep, Hide, Show, Minimise };
    // Hidden: the menu's state for a hide; StopTimer: that item alone.
    enum class Menu { Keep, Hidden, StopTimer };
    enum class Popup { None, Stopped, Remember, Warning };

    Timers timers = Timers::Keep;
    bool save = false;            // the settings are written
    bool unableToStart = false;   // the "Unable to start" message
    bool stopped = false;         // the countdown stopped: "Hide on minimize..." is cleared
    bool timingControls = false;  // the timing controls follow TimingControlsFor again
    Switch listAndCancel = Switch::Keep;
    Progress progress = Progress::Keep;
    Text text = Text::Keep;
    Tip tip = Tip::Keep;
    Icon icon = Icon::None;
    Window window = Window::Keep;
    Menu menu = Menu::Keep;
    Popup popup = Popup::None;
    bool endBoxes = false;  // the dialog's open boxes (the question above all) are ended
    bool endDialog = false;
    bool ask = false;            // the Yes/No question; its answer is the event Answer
    bool request = false;        // the system request; its outcome is RequestMade or RequestRefused
    bool reportRefusal = false;  // the refused request is explained in a message

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

    // Schedule. `count` is the seconds an "at" or "after" countdown lasts, 0
    // when none can start; a "Now" ignores it.
    Effects Ok(Timing timing, bool confirm, int count, bool storeChoices = true);
    Effects CancelButton();
    Effects Escape(bool hideOnMinimize);  // the Escape key or the close box
    Effects StopTimer();
    Effects Exit();
    Effects Tick(bool warningDue);
    Effects Expiry(bool confirm);
    Effects Answer(bool yes);
    // resetAfter: a stand-by, hibernate or lock that has come back.
    Effects RequestMade(bool resetAfter);
    Effects RequestRefused();

    // Presence.
    Effects Minimise(bool hideOnMinimize);
    // An activation change; a hidden dialog is activated to own the icon's menu.
    Effects Activated(bool visible, bool minimised, bool hideOnMinimize);
    Effects Unminimised();  // restored from the task bar by the user
    Effects Restore();      // the icon, the menu's "Restore", a later copy
    Effects HideIcon();     // the menu's "Hide"
    Effects TaskbarCreated(bool hideOnMinimize);
    Effects IconRefused();
    // A countdown started from the command line goes to the tray at once,
    // its tip already telling the time left.
    Effects CommandHide();

private:
    Effects HideToTray(bool hideOnMinimize);
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
