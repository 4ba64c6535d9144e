#include "schedule/dialog_model.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

using namespace quellix;
using S = Schedule;
using P = Presence;
using T = Effects::Timers;
using Tx = Effects::Text;
using Pr = Effects::Progress;
using Tip = Effects::Tip;
using I = Effects::Icon;
using W = Effects::Window;
using M = Effects::Menu;
using Pop = Effects::Popup;
using Sw = Effects::Switch;
using Out = Effects::Outcome;

namespace quellix {
void PrintTo(const Effects& e, std::ostream* os)
{
    *os << "{timers " << int(e.timers) << " (" << e.countdown.count << ", " << e.countdown.expiryMs << ", "
        << e.countdown.targetWallMs << "), stopped " << e.stopped << ", controls " << e.timingControls << ", list "
        << int(e.listAndCancel) << ", confirm box " << int(e.confirmBox) << ", save " << e.save << ", unable "
        << e.unableToStart << ", progress " << int(e.progress) << ", text " << int(e.text) << ", tip " << int(e.tip)
        << ", remaining " << e.remaining << ", icon " << int(e.icon) << ", window " << int(e.window) << ", menu "
        << int(e.menu) << ", popup " << int(e.popup) << ", refusal '" << e.refusal << "', endBoxes " << e.endBoxes
        << ", end " << e.endDialog << ", outcome " << int(e.outcome) << "}";
}

void PrintTo(const ModelState& s, std::ostream* os)
{
    *os << "{schedule " << int(s.schedule) << ", presence " << int(s.presence) << ", running " << s.running
        << ", mayClose " << s.mayClose << ", expiring " << s.expiring << ", storeChoices " << s.storeChoices
        << ", confirm " << s.confirm << ", hideOnMinimize " << s.hideOnMinimize << ", remaining " << s.remaining
        << ", waitFor '" << s.waitFor.imageName << "' " << s.waitFor.processId << ", postponed " << s.postponed << "}";
}
}  // namespace quellix

namespace {

const char kRefusal[] = "The computer could not be shut down.";

// Effects written as the differences from "no effect".
struct Fx : Effects {
    Fx& With(T v) { return Set(timers, v); }
    Fx& With(Sw v) { return Set(listAndCancel, v); }
    Fx& With(Pr v) { return Set(progress, v); }
    Fx& With(Tx v) { return Set(text, v); }
    Fx& With(Tip v) { return Set(tip, v); }
    Fx& With(I v) { return Set(icon, v); }
    Fx& With(W v) { return Set(window, v); }
    Fx& With(M v) { return Set(menu, v); }
    Fx& With(Pop v) { return Set(popup, v); }
    Fx& With(Out v) { return Set(outcome, v); }
    Fx& Countdown(const CountdownSpan& span) { return Set(timers, T::Set).Set(countdown, span).Left(span.count); }
    Fx& Left(int seconds) { return Set(remaining, seconds); }
    Fx& ConfirmBox(Sw v) { return Set(confirmBox, v); }
    Fx& Awake(Sw v) { return Set(keepAwake, v); }
    Fx& Bar(int position) { return Set(progress, Pr::At).Set(progressPos, position); }
    Fx& Wake(Effects::Wake v, int64_t wallMs = 0) { return Set(wake, v).Set(wakeWallMs, wallMs); }
    Fx& Waiting(const WaitTarget& target) { return Set(waitFor, target); }
    // A stop of a countdown still counting: the system may sleep again.
    Fx& StoppedCounting() { return Stopped().Awake(Sw::Off); }
    Fx& Stopped() { return Set(stopped, true).Set(timingControls, true).With(T::Kill).With(Sw::On); }
    Fx& Controls() { return Set(timingControls, true); }
    Fx& Save() { return Set(save, true); }
    Fx& UnableToStart() { return Set(unableToStart, true); }
    Fx& Ask() { return With(Out::Ask); }
    Fx& Request() { return With(Out::Request); }
    Fx& ShowIcon() { return With(Out::ShowIcon); }
    Fx& EndBoxes() { return Set(endBoxes, true); }
    Fx& EndDialog() { return Set(endDialog, true); }
    Fx& Refusal() { return Set(refusal, std::string(kRefusal)); }

    template <class V> Fx& Set(V& field, V value)
    {
        field = value;
        return *this;
    }
};

ModelState St(S schedule, P presence = P::Shown, bool running = false, bool mayClose = true, bool expiring = false)
{
    ModelState s;
    s.schedule = schedule;
    s.presence = presence;
    s.running = running;
    s.mayClose = mayClose;
    s.expiring = expiring;
    return s;
}

// The states of the lifecycle, as the dialog reaches them.
const ModelState kIdle = St(S::Idle);
const ModelState kIdleRequested = St(S::Idle, P::Shown, false, false);  // a "Now" request made
const ModelState kCounting = St(S::Counting, P::Shown, true);
const ModelState kCountingInTray = St(S::Counting, P::InTray, true);
const ModelState kCountingIconHidden = St(S::Counting, P::IconHidden, true);
const ModelState kAskingNow = St(S::Prompting);
const ModelState kActingNow = St(S::Acting, P::Shown, false, false);
const ModelState kAsking = St(S::Prompting, P::Shown, true, true, true);
const ModelState kAskingInTray = St(S::Prompting, P::InTray, true, true, true);
const ModelState kActing = St(S::Acting, P::Shown, true, false, true);
const ModelState kExpired = St(S::Expired, P::Shown, true, false);
const ModelState kClosed = St(S::Closed);

const WaitTarget kNotepad = {"notepad.exe", 0};
ModelState WaitingFor(ModelState s, int postponed = 0)
{
    s.waitFor = kNotepad;
    s.postponed = postponed;
    return s;
}
// A countdown that waits for notepad.exe to end.
const ModelState kWaiting = WaitingFor(kCounting);
const ModelState kWaitingInTray = WaitingFor(kCountingInTray);

using Event = std::function<Effects(DialogModel&)>;

struct Row {
    const char* name;
    ModelState from;
    Event event;
    ModelState to;
    Effects effects;
};

void Check(const std::vector<Row>& rows)
{
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        DialogModel model(row.from);
        const Effects got = row.event(model);
        EXPECT_EQ(model.State(), row.to);
        EXPECT_EQ(got, row.effects);
    }
}

ModelState Scripted(ModelState s)
{
    s.storeChoices = false;
    return s;
}

// "Ask Confirmation" cleared.
ModelState NoConfirm(ModelState s)
{
    s.confirm = false;
    return s;
}

// "Hide on minimize..." ticked.
ModelState Hiding(ModelState s)
{
    s.hideOnMinimize = true;
    return s;
}

ModelState Left(ModelState s, int seconds)
{
    s.remaining = seconds;
    return s;
}

ModelState With(ModelState s, P presence)
{
    s.presence = presence;
    return s;
}

const CountdownSpan kTenMinutes = {600, 0, 0};
const CountdownSpan kTwoMinutes = {120, 0, 0};
const CountdownSpan kNoCount = {0, 0, 0};

const Event kOkNow = [](DialogModel& m) { return m.Ok(Timing::Now, kNoCount); };
const Event kOkAfter = [](DialogModel& m) { return m.Ok(Timing::After, kTenMinutes); };
const Event kOkAtNoCount = [](DialogModel& m) { return m.Ok(Timing::At, kNoCount); };
const Event kCancel = [](DialogModel& m) { return m.CancelButton(); };
const Event kEscape = [](DialogModel& m) { return m.Escape(); };
const Event kStop = [](DialogModel& m) { return m.StopTimer(); };
const Event kCommandStop = [](DialogModel& m) { return m.CommandStop(); };
const Event kExit = [](DialogModel& m) { return m.Exit(); };
const Event kTick = [](DialogModel& m) { return m.Tick({0, false}); };
const Event kTickWarning = [](DialogModel& m) { return m.Tick({0, true}); };
const Event kExpiry = [](DialogModel& m) { return m.Expiry(); };
const Event kYes = [](DialogModel& m) { return m.Answer(true); };
const Event kNo = [](DialogModel& m) { return m.Answer(false); };
const Event kMade = [](DialogModel& m) { return m.RequestMade(false); };
const Event kMadeCameBack = [](DialogModel& m) { return m.RequestMade(true); };
const Event kRefused = [](DialogModel& m) { return m.RequestRefused(kRefusal); };
const Event kMinimise = [](DialogModel& m) { return m.Minimise(); };
const Event kActivated = [](DialogModel& m) { return m.Activated(true, false); };
const Event kActivatedMinimised = [](DialogModel& m) { return m.Activated(true, true); };
const Event kActivatedHidden = [](DialogModel& m) { return m.Activated(false, false); };
const Event kUnminimised = [](DialogModel& m) { return m.Unminimised(); };
const Event kRestore = [](DialogModel& m) { return m.Restore(); };
const Event kHideIcon = [](DialogModel& m) { return m.HideIcon(); };
const Event kTaskbarCreated = [](DialogModel& m) { return m.TaskbarCreated(); };
const Event kIconShown = [](DialogModel& m) { return m.IconShown(); };
const Event kIconRefused = [](DialogModel& m) { return m.IconRefused(); };
const Event kCommandHide = [](DialogModel& m) { return m.CommandHide(); };
const Event kScriptedNow = [](DialogModel& m) { return m.Ok(Timing::Now, kNoCount, false); };
const Event kScriptedAfter = [](DialogModel& m) { return m.Ok(Timing::After, kTwoMinutes, false); };
const Event kConfirmOn = [](DialogModel& m) { return m.ConfirmationSet(true); };
const Event kConfirmOff = [](DialogModel& m) { return m.ConfirmationSet(false); };
const Event kHidingOn = [](DialogModel& m) { return m.HideOnMinimizeSet(true); };
const CountdownSpan kLastSeconds = {30, 30'000, 0, 0};
const Event kWait = [](DialogModel& m) { return m.Wait(kNotepad); };
const Event kEnded = [](DialogModel& m) { return m.ConditionMet(kLastSeconds); };
const Event kInput = [](DialogModel& m) { return m.CountRestarted(kTwoMinutes); };
const Event kPostpone = [](DialogModel& m) { return m.Postpone(3, {300, 300'000, 0, 0}); };

// A hide into the tray with the icon: the icon first, the rest once the shell has taken it.
Fx HideWithIcon() { return Fx().With(Tip::Caption).ShowIcon(); }
Fx HiddenIntoIcon() { return Fx().With(W::Hide).With(M::Hidden); }
Fx HideWithoutIcon()
{
    return Fx().With(Tip::Caption).With(I::Delete).With(W::Hide).With(M::Hidden).With(Pop::Remember);
}
Fx ReturnedToIdle() { return Fx().With(Sw::On).With(Tx::Empty).With(Pr::Empty).With(W::Show); }
Fx StopFromMenu() { return Fx().With(Tip::Caption).With(I::Modify).With(M::StopTimer); }
Fx Expired() { return Fx().With(T::Kill).Awake(Sw::Off).With(Sw::Off).With(Pr::Full).With(Tx::Expired); }

TEST(DialogModel, ScheduleRows)
{
    Check({
        {"OK Now, asked, No", kAskingNow, kNo, kIdle, Fx()},
        {"OK Now asks first", kIdle, kOkNow, kAskingNow, Fx().Ask()},
        {"OK Now, Yes", kAskingNow, kYes, kActingNow, Fx().Save().Request()},
        {"OK Now, no question", NoConfirm(kIdle), kOkNow, NoConfirm(kActingNow), Fx().Save().Request()},
        {"Now: log off to power off requested", kActingNow, kMade, kIdleRequested, Fx()},
        {"Now: stand by, hibernate, lock came back", kActingNow, kMadeCameBack, kClosed, Fx().EndDialog()},
        {"Now: request refused", kActingNow, kRefused, kIdle, ReturnedToIdle().Refusal()},
        {"OK at/after, count 0", kIdle, kOkAtNoCount, kIdle, Fx().UnableToStart()},
        {"OK at/after starts", kIdle, kOkAfter, Left(kCounting, 600),
         Fx().Countdown(kTenMinutes).Save().Awake(Sw::On).With(Pr::Empty).With(Tx::Remaining).Controls()},
        {"Cancel button while idle", kIdle, kCancel, kClosed, Fx().EndDialog()},
        {"Cancel button after a Now request", kIdleRequested, kCancel, kClosed, Fx().EndDialog()},
        {"Escape while idle", kIdle, kEscape, kClosed, Fx().EndDialog()},
        {"Escape after a Now request", kIdleRequested, kEscape, kIdleRequested, Fx()},
        {"tick", kCounting, kTick, kCounting, Fx().With(Tx::Remaining)},
        {"a tick shows the seconds it found", kCounting,
         [](DialogModel& m) {
             return m.Tick({42, false});
         },
         Left(kCounting, 42), Fx().With(Tx::Remaining).Left(42)},
        {"tick at the warning", kCounting, kTickWarning, kCounting, Fx().With(Tx::Remaining).With(Pop::Warning)},
        {"Cancel button while counting", kCounting, kCancel, kIdle, Fx().StoppedCounting().With(Pop::Stopped)},
        {"Stop Timer while counting", kCountingInTray, kStop, With(kIdle, P::InTray),
         StopFromMenu().StoppedCounting().With(Pop::Stopped)},
        {"Escape while counting", kCounting, kEscape, kCountingInTray, HideWithIcon()},
        {"expiry asks", kCounting, kExpiry, kAsking, Expired().Ask()},
        {"expiry without question", NoConfirm(kCounting), kExpiry, NoConfirm(kActing), Expired().Request()},
        {"expiry question, No", kAskingInTray, kNo, kIdle, ReturnedToIdle().Stopped()},
        {"expiry question, Yes", kAsking, kYes, kActing, Fx().Request()},
        {"expiry: log off to power off requested", kActing, kMade, kExpired, Fx()},
        {"expiry: stand by, hibernate, lock came back", kActing, kMadeCameBack, kIdle, ReturnedToIdle().Stopped()},
        {"Stop Timer after the expiry", kExpired, kStop, kIdleRequested, StopFromMenu().Stopped().With(Pop::Stopped)},
        {"Escape after the expiry", kExpired, kEscape, With(kExpired, P::InTray), HideWithIcon()},
    });
}

// The user's inputs the model keeps: the click, the tray menu's toggle and a
// command all tell it; the box and the menu's check follow from one place.
TEST(DialogModel, InputRows)
{
    Check({
        {"confirmation cleared", kCounting, kConfirmOff, NoConfirm(kCounting),
         Fx().ConfirmBox(Sw::Off).With(M::Confirmation)},
        {"confirmation ticked while asking", NoConfirm(kAskingInTray), kConfirmOn, kAskingInTray,
         Fx().ConfirmBox(Sw::On).With(M::Confirmation)},
        {"hide on minimize ticked", kCounting, kHidingOn, Hiding(kCounting), Fx()},
        {"a stop clears hide on minimize", Hiding(kCountingInTray), kStop, With(kIdle, P::InTray),
         StopFromMenu().StoppedCounting().With(Pop::Stopped)},
        {"a hide with hide on minimize takes the icon too", Hiding(kCounting), kMinimise, Hiding(kCountingIconHidden),
         HideWithoutIcon()},
    });
}

ModelState Waking(ModelState s)
{
    s.wakes = true;
    return s;
}

// The system is kept awake exactly while a countdown counts, and a wake timer
// waits for the end of one whose action needs a running machine: set at the
// start, moved with the end, cancelled by every way the countdown ends.
TEST(DialogModel, SleepRows)
{
    const int64_t end = 1'800'000'600'000;
    const CountdownSpan waking = {600, 0, 0, end};
    const Event okWaking = [=](DialogModel& m) { return m.Ok(Timing::After, waking); };
    const Event movedTick = [](DialogModel& m) { return m.Tick({30, true, true, 95, 1'800'000'030'000}); };
    const Event sessionEnding = [](DialogModel& m) { return m.SessionEnding(); };
    const ModelState counting = Waking(kCounting);
    const ModelState inTray = Waking(kCountingInTray);
    const Fx cancelled = Fx().Awake(Sw::Off).Wake(Effects::Wake::Cancel);
    Check({
        {"OK starts both", kIdle, okWaking, Waking(Left(kCounting, 600)),
         Fx().Countdown(waking)
             .Save()
             .Awake(Sw::On)
             .Wake(Effects::Wake::Set, end)
             .With(Pr::Empty)
             .With(Tx::Remaining)
             .Controls()},
        {"a stand-by or lock keeps awake only", kIdle, kOkAfter, Left(kCounting, 600),
         Fx().Countdown(kTenMinutes).Save().Awake(Sw::On).With(Pr::Empty).With(Tx::Remaining).Controls()},
        {"Cancel", counting, kCancel, kIdle, Fx().StoppedCounting().Wake(Effects::Wake::Cancel).With(Pop::Stopped)},
        {"Stop Timer", inTray, kStop, With(kIdle, P::InTray),
         StopFromMenu().StoppedCounting().Wake(Effects::Wake::Cancel).With(Pop::Stopped)},
        {"/stop", inTray, kCommandStop, With(kIdle, P::InTray),
         StopFromMenu().StoppedCounting().Wake(Effects::Wake::Cancel).With(Pop::Stopped)},
        {"Exit", inTray, kExit, With(kClosed, P::InTray), Fx(cancelled).With(I::Delete).EndBoxes().EndDialog()},
        {"the expiry, before its question", counting, kExpiry, kAsking, Expired().Wake(Effects::Wake::Cancel).Ask()},
        {"the expiry, before its request", NoConfirm(counting), kExpiry, NoConfirm(kActing),
         Expired().Wake(Effects::Wake::Cancel).Request()},
        {"the end of the session", counting, sessionEnding, kCounting, cancelled},
        {"a missed warning moves the end, the bar and the wake timer", inTray, movedTick, Left(inTray, 30),
         Fx().With(Tx::Remaining)
             .Left(30)
             .Bar(95)
             .Wake(Effects::Wake::Set, 1'800'000'030'000)
             .With(Tip::Remaining)
             .With(I::Modify)
             .With(Pop::Warning)},
        {"without a wake timer only the bar", kCounting, movedTick, Left(kCounting, 30),
         Fx().With(Tx::Remaining).Left(30).Bar(95).With(Pop::Warning)},
        {"nothing is held while idle", kIdle, sessionEnding, kIdle, Fx()},
        {"nor while asking", kAsking, sessionEnding, kAsking, Fx()},
        {"Stop while asking drops nothing more", kAskingInTray, kStop, St(S::Prompting, P::InTray, false, true, true),
         StopFromMenu().Stopped()},
    });
}

// Countdowns whose end is not known at the start: one that waits for a
// program to end, then runs its last seconds as any countdown; one that input
// starts again; and a countdown pushed back.
TEST(DialogModel, ConditionRows)
{
    const int64_t end = 1'800'000'930'000;
    const Fx waitingTip = Fx().With(Tip::Waiting).Waiting(kNotepad);
    const Fx lastSeconds = Fx().Countdown(kLastSeconds).With(Pr::Empty).With(Tx::Remaining);
    const Fx trayTip = Fx().With(Tip::Remaining).With(I::Modify);
    const CountdownSpan postponed = {930, 930'000, 0, end};
    const CountdownSpan moved = {300, 300'000, 0, end};
    const CountdownSpan movedAt = {300, 300'000, end, end};
    const Event postponeAt = [=](DialogModel& m) { return m.Postpone(3, movedAt); };
    const Event postponeWaking = [=](DialogModel& m) { return m.Postpone(3, moved); };
    const Event postpone15 = [](DialogModel& m) { return m.Postpone(15, {}); };
    const Event endedWaking = [=](DialogModel& m) { return m.ConditionMet({30, 30'000, 0, end - 900'000}); };
    CountdownSpan noWake = moved;
    noWake.wakeWallMs = 0;
    Check({
        {"a wait starts: awake, no time, no wake timer", kIdle, kWait, kWaiting,
         Fx().With(T::Wait).Save().Awake(Sw::On).With(Pr::Empty).With(Tx::Waiting).Waiting(kNotepad).Controls()},
        {"a scripted wait stores nothing", kIdle, [](DialogModel& m) { return m.Wait(kNotepad, false); },
         Scripted(kWaiting),
         Fx().With(T::Wait).Awake(Sw::On).With(Pr::Empty).With(Tx::Waiting).Waiting(kNotepad).Controls()},
        {"a wait for nothing does not start", kIdle, [](DialogModel& m) { return m.Wait({}); }, kIdle, Fx()},
        {"ended: the last seconds, warned at once", kWaiting, kEnded, Left(kCounting, 30),
         Fx(lastSeconds).With(Pop::Warning)},
        {"ended in the tray: the tip tells the time", kWaitingInTray, kEnded, Left(kCountingInTray, 30),
         Fx(lastSeconds).With(Tip::Remaining).With(I::Modify).With(Pop::Warning)},
        {"ended with the icon hidden: no warning", WaitingFor(kCountingIconHidden), kEnded,
         Left(kCountingIconHidden, 30), Fx(lastSeconds).With(Tip::Remaining).With(I::Modify)},
        {"ended after a postponement: its minutes follow, and the wake timer", WaitingFor(kCounting, 15), endedWaking,
         Waking(Left(kCounting, 930)),
         Fx().Countdown(postponed).Wake(Effects::Wake::Set, end).With(Pr::Empty).With(Tx::Remaining)},
        {"postponed while waiting: kept for after", kWaiting, postpone15, WaitingFor(kCounting, 15), Fx()},
        {"postponed again: at most 2880 minutes", WaitingFor(kCounting, 2870), postpone15, WaitingFor(kCounting, 2880),
         Fx()},
        {"Cancel while waiting", WaitingFor(kCounting, 15), kCancel, kIdle, Fx().StoppedCounting().With(Pop::Stopped)},
        {"Stop Timer while waiting", kWaitingInTray, kStop, With(kIdle, P::InTray),
         StopFromMenu().StoppedCounting().With(Pop::Stopped)},
        {"Exit while waiting", kWaitingInTray, kExit, With(kClosed, P::InTray),
         Fx().Awake(Sw::Off).With(I::Delete).EndBoxes().EndDialog()},
        {"hidden while waiting: the tip says what for", kWaiting, kEscape, kWaitingInTray, Fx(waitingTip).ShowIcon()},
        {"a scripted hide while waiting", kWaiting, kCommandHide, kWaitingInTray, Fx(waitingTip).ShowIcon()},
        {"hidden without the icon while waiting", Hiding(kWaiting), kMinimise, Hiding(WaitingFor(kCountingIconHidden)),
         Fx(waitingTip).With(I::Delete).With(W::Hide).With(M::Hidden).With(Pop::Remember)},
        {"input starts the count again", Left(kCounting, 42), kInput, Left(kCounting, 120),
         Fx().Countdown(kTwoMinutes).With(Pr::Empty).With(Tx::Remaining)},
        {"input in the tray: the tip follows", Left(kCountingInTray, 42), kInput, Left(kCountingInTray, 120),
         Fx(trayTip).Countdown(kTwoMinutes).With(Pr::Empty).With(Tx::Remaining)},
        {"postponed: the bar starts over the new remainder", Left(kCounting, 120), postponeWaking, Left(kCounting, 300),
         Fx().Countdown(noWake).With(Pr::Empty).With(Tx::Remaining)},
        {"postponed in the tray, the wake timer moves", Waking(kCountingInTray), postponeWaking,
         Waking(Left(kCountingInTray, 300)),
         Fx(trayTip).Countdown(moved).Wake(Effects::Wake::Set, end).With(Pr::Empty).With(Tx::Remaining)},
        {"an at target becomes the later instant", kCounting, postponeAt, Left(kCounting, 300),
         Fx().Countdown({300, 300'000, end, 0}).With(Pr::Empty).With(Tx::Remaining)},
    });
}

// The faults mended before: each was a transition nobody had written down.
TEST(DialogModel, MendedTransitions)
{
    const ModelState askingStopped = St(S::Prompting, P::InTray, false, true, true);
    Check({
        {"Stop while asking stops now, without a popup", kAskingInTray, kStop, askingStopped, StopFromMenu().Stopped()},
        {"Yes after that stop returns to idle", askingStopped, kYes, kIdle, ReturnedToIdle()},
        {"No after that stop returns to idle", askingStopped, kNo, kIdle, ReturnedToIdle()},
        {"Exit while asking ends the question and the dialog", kAskingInTray, kExit, With(kClosed, P::InTray),
         Fx().With(I::Delete).EndBoxes().EndDialog()},
        {"the answer after Exit carries nothing out", kClosed, kYes, kClosed, Fx()},
        {"a refused request after the expiry returns to idle", kActing, kRefused, kIdle,
         ReturnedToIdle().Stopped().Refusal()},
        {"a hide that the shell refuses waits on the task bar", kCountingInTray, kIconRefused,
         With(kCounting, P::AwaitingShell), Fx().With(W::Minimise)},
        {"/stop ends the question before a Now", kAskingNow, kCommandStop, kIdle, Fx().EndBoxes()},
        {"the answer that box then gives carries nothing out", kIdle, kYes, kIdle, Fx()},
        {"/stop while counting is Stop Timer", kCountingInTray, kCommandStop, With(kIdle, P::InTray),
         StopFromMenu().StoppedCounting().With(Pop::Stopped)},
        {"/stop during the expiry question stops", kAskingInTray, kCommandStop, askingStopped,
         StopFromMenu().Stopped()},
        {"/stop with nothing running does nothing", With(kIdle, P::InTray), kCommandStop, With(kIdle, P::InTray), Fx()},
    });
}

TEST(DialogModel, PresenceRows)
{
    const ModelState idleInTray = With(kIdle, P::InTray);
    Check({
        {"minimise while idle", kIdle, kMinimise, idleInTray, HideWithIcon()},
        {"the icon shown while idle: the stop notice", idleInTray, kIconShown, idleInTray,
         HiddenIntoIcon().With(Pop::Stopped)},
        {"hide on minimize needs a countdown", Hiding(kIdle), kMinimise, Hiding(idleInTray), HideWithIcon()},
        {"minimise while counting", kCounting, kMinimise, kCountingInTray, HideWithIcon()},
        {"the icon shown while counting: no popup", kCountingInTray, kIconShown, kCountingInTray, HiddenIntoIcon()},
        {"the icon refused: the rest of the hide does not come", kCountingInTray, kIconRefused,
         With(kCounting, P::AwaitingShell), Fx().With(W::Minimise)},
        {"minimise while counting, hide on minimize", Hiding(kCounting), kMinimise, Hiding(kCountingIconHidden),
         HideWithoutIcon()},
        {"Escape while counting, hide on minimize", Hiding(kCounting), kEscape, Hiding(kCountingIconHidden),
         HideWithoutIcon()},
        {"minimised activation", kCounting, kActivatedMinimised, kCountingInTray, HideWithIcon()},
        {"activation of the shown dialog removes the icon", kCounting, kActivated, kCounting,
         Fx().With(Tip::Caption).With(I::Delete)},
        {"activation of the hidden dialog for its menu", kCountingInTray, kActivatedHidden, kCountingInTray, Fx()},
        {"Hide from the menu", kCountingInTray, kHideIcon, kCountingIconHidden,
         Fx().With(Pop::Remember).With(I::Delete)},
        {"Restore from the tray", kCountingInTray, kRestore, kCounting, Fx().With(W::Show)},
        {"Restore with the icon hidden", kCountingIconHidden, kRestore, kCounting, Fx().With(W::Show)},
        {"tick in the tray refreshes the tip", kCountingInTray, kTickWarning, kCountingInTray,
         Fx().With(Tx::Remaining).With(Tip::Remaining).With(I::Modify).With(Pop::Warning)},
        {"no warning with the icon hidden", kCountingIconHidden, kTickWarning, kCountingIconHidden,
         Fx().With(Tx::Remaining).With(Tip::Remaining).With(I::Modify)},
        {"the icon comes back for the question", kCountingIconHidden, kExpiry, kAskingInTray,
         Expired().With(I::Add).Ask()},
        {"Exit from the tray", kCountingInTray, kExit, With(kClosed, P::InTray),
         Fx().Awake(Sw::Off).With(I::Delete).EndBoxes().EndDialog()},
        {"TaskbarCreated puts the icon back", kCountingInTray, kTaskbarCreated, kCountingInTray, Fx().With(I::Add)},
        {"TaskbarCreated ends the wait on the task bar", With(kIdle, P::AwaitingShell), kTaskbarCreated, idleInTray,
         HideWithIcon()},
        {"restored from the task bar while waiting", With(kIdle, P::AwaitingShell), kUnminimised, kIdle, Fx()},
    });
}

// Combinations that no row of the lifecycle names.
TEST(DialogModel, Combinations)
{
    Check({
        {"minimise while asking", kAsking, kMinimise, kAskingInTray, HideWithIcon()},
        {"the icon shown while asking: no popup", kAskingInTray, kIconShown, kAskingInTray, HiddenIntoIcon()},
        {"the icon shown after a stop while asking: no popup", St(S::Prompting, P::InTray, false, true, true),
         kIconShown, St(S::Prompting, P::InTray, false, true, true), HiddenIntoIcon()},
        {"a second copy while asking shows the dialog", kAskingInTray, kRestore, kAsking, Fx().With(W::Show)},
        {"Hide while asking: no popup", kAskingInTray, kHideIcon, With(kAsking, P::IconHidden), Fx().With(I::Delete)},
        {"TaskbarCreated while counting with the icon hidden", kCountingIconHidden, kTaskbarCreated,
         kCountingIconHidden, Fx()},
        {"TaskbarCreated while shown", kCounting, kTaskbarCreated, kCounting, Fx()},
        {"Stop Timer while idle only resets the tip", With(kIdle, P::InTray), kStop, With(kIdle, P::InTray),
         StopFromMenu()},
        {"minimise again while waiting on the task bar", With(kCounting, P::AwaitingShell), kMinimise,
         With(kCounting, P::AwaitingShell), Fx()},
        {"a minimised activation while waiting tries again", With(kCounting, P::AwaitingShell), kActivatedMinimised,
         kCountingInTray, HideWithIcon()},
        {"a refusal for a shown dialog", kCounting, kIconRefused, kCounting, Fx()},
        {"Escape after the expiry, hide on minimize", Hiding(kExpired), kEscape, Hiding(With(kExpired, P::IconHidden)),
         HideWithoutIcon()},
        {"OK again after a Now request", NoConfirm(kIdleRequested), kOkNow, NoConfirm(kActingNow),
         Fx().Save().Request()},
        {"a scripted OK Now stores nothing", NoConfirm(kIdle), kScriptedNow, NoConfirm(Scripted(kActingNow)),
         Fx().Request()},
        {"nor when it asked first", Scripted(kAskingNow), kYes, Scripted(kActingNow), Fx().Request()},
        {"a scripted OK Now asks", kIdle, kScriptedNow, Scripted(kAskingNow), Fx().Ask()},
        {"a scripted countdown stores nothing", kIdle, kScriptedAfter, Left(Scripted(kCounting), 120),
         Fx().Countdown(kTwoMinutes).Awake(Sw::On).With(Pr::Empty).With(Tx::Remaining).Controls()},
        {"the user's next OK stores again", NoConfirm(Scripted(kIdle)), kOkNow, NoConfirm(kActingNow),
         Fx().Save().Request()},
        {"a scripted countdown goes to the tray telling the time left", Left(kCounting, 120), kCommandHide,
         Left(kCountingInTray, 120), Fx().With(Tip::Remaining).Left(120).ShowIcon()},
        {"a scripted hide keeps the icon whatever hide on minimize says", Hiding(kCounting), kCommandHide,
         Hiding(kCountingInTray), Fx().With(Tip::Remaining).ShowIcon()},
    });
}

// An effect with an outcome is the last one its event has: nothing that the
// dialog would carry out after it (in the order Effects lists them) comes
// with it, so that whatever follows is the outcome's own event.
TEST(DialogModel, AnOutcomeIsTheLastEffect)
{
    const std::vector<ModelState> states = {kIdle,
                                            kCounting,
                                            kCountingInTray,
                                            Hiding(kCounting),
                                            kCountingIconHidden,
                                            kAskingNow,
                                            kAsking,
                                            kAskingInTray,
                                            kActing,
                                            kActingNow,
                                            kExpired,
                                            NoConfirm(kIdle),
                                            NoConfirm(kCounting),
                                            With(kIdle, P::AwaitingShell),
                                            kWaiting,
                                            kWaitingInTray,
                                            WaitingFor(kCountingIconHidden)};
    const std::vector<Event> events = {kOkNow,       kOkAfter,        kCancel,    kEscape,      kStop,
                                       kCommandStop, kExit,           kTick,      kExpiry,      kYes,
                                       kNo,          kMade,           kRefused,   kMinimise,    kActivatedMinimised,
                                       kRestore,     kTaskbarCreated, kIconShown, kCommandHide, kWait,
                                       kEnded,       kInput,          kPostpone};
    for (const ModelState& state : states) {
        for (size_t i = 0; i < events.size(); ++i) {
            DialogModel model(state);
            const Effects e = events[i](model);
            if (e.outcome == Out::None)
                continue;
            SCOPED_TRACE(testing::Message() << "state " << testing::PrintToString(state) << ", event " << i);
            EXPECT_EQ(e.window, W::Keep);
            EXPECT_EQ(e.menu, M::Keep);
            EXPECT_EQ(e.popup, Pop::None);
            EXPECT_TRUE(e.refusal.empty());
            EXPECT_FALSE(e.endBoxes);
            EXPECT_FALSE(e.endDialog);
        }
    }
}

// Events that cannot happen in a state change nothing and do nothing.
TEST(DialogModel, ImpossibleEventsAreIgnored)
{
    const std::vector<std::pair<ModelState, std::vector<Event>>> ignored = {
        {kIdle,
         {kTick, kExpiry, kYes, kNo, kMade, kRefused, kUnminimised, kHideIcon, kIconShown, kIconRefused, kCommandHide,
          kCommandStop, kEnded, kInput, kPostpone}},
        {kWaiting, {kOkNow, kOkAfter, kWait, kTick, kTickWarning, kExpiry, kInput, kYes, kMade}},
        {kCounting, {kWait, kEnded}},
        {kAsking, {kWait, kEnded, kInput, kPostpone}},
        {kExpired, {kWait, kEnded, kInput, kPostpone}},
        {kCounting, {kOkNow, kOkAfter, kYes, kMade, kMadeCameBack, kRefused, kUnminimised, kIconShown}},
        {kCountingInTray, {kMinimise, kCommandHide}},
        {kCountingIconHidden, {kHideIcon, kMinimise, kIconShown}},
        {kAsking, {kOkNow, kCancel, kEscape, kTick, kExpiry, kMade, kRefused, kCommandHide}},
        {kActing, {kOkNow, kCancel, kEscape, kStop, kCommandStop, kTick, kExpiry, kYes, kNo}},
        {kExpired, {kOkNow, kCancel, kTick, kExpiry, kYes, kMade, kRefused}},
        {kClosed,
         {kOkNow,
          kOkAfter,
          kCancel,
          kEscape,
          kStop,
          kCommandStop,
          kExit,
          kTick,
          kExpiry,
          kYes,
          kNo,
          kMade,
          kMadeCameBack,
          kRefused,
          kMinimise,
          kActivated,
          kActivatedMinimised,
          kRestore,
          kHideIcon,
          kTaskbarCreated,
          kConfirmOn,
          kConfirmOff,
          kIconShown}},
    };
    for (const auto& [state, events] : ignored) {
        for (size_t i = 0; i < events.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "state " << testing::PrintToString(state) << ", event " << i);
            DialogModel model(state);
            EXPECT_EQ(events[i](model), Effects());
            EXPECT_EQ(model.State(), state);
        }
    }
}

// Whatever happens from the expiry to the request, the user can go on: every
// state the dialog can reach leads back to an idle dialog on screen, and only
// "Exit" ends the dialog while a countdown runs.
TEST(DialogModel, NoStateFreezesTheDialog)
{
    const std::vector<std::pair<std::string, Event>> all = {{"OK Now", kOkNow},
                                                            {"OK after", kOkAfter},
                                                            {"OK no count", kOkAtNoCount},
                                                            {"Cancel", kCancel},
                                                            {"Escape", kEscape},
                                                            {"Stop", kStop},
                                                            {"Exit", kExit},
                                                            {"tick", kTick},
                                                            {"tick warning", kTickWarning},
                                                            {"/stop", kCommandStop},
                                                            {"confirmation on", kConfirmOn},
                                                            {"confirmation off", kConfirmOff},
                                                            {"hide on minimize on", kHidingOn},
                                                            {"expiry", kExpiry},
                                                            {"Yes", kYes},
                                                            {"No", kNo},
                                                            {"made", kMade},
                                                            {"came back", kMadeCameBack},
                                                            {"refused", kRefused},
                                                            {"minimise", kMinimise},
                                                            {"activated", kActivated},
                                                            {"activated minimised", kActivatedMinimised},
                                                            {"activated hidden", kActivatedHidden},
                                                            {"unminimised", kUnminimised},
                                                            {"restore", kRestore},
                                                            {"hide icon", kHideIcon},
                                                            {"TaskbarCreated", kTaskbarCreated},
                                                            {"icon shown", kIconShown},
                                                            {"icon refused", kIconRefused},
                                                            {"command hide", kCommandHide},
                                                            {"wait", kWait},
                                                            {"ended", kEnded},
                                                            {"input", kInput},
                                                            {"postpone", kPostpone}};
    auto key = [](const ModelState& s) {
        return std::make_tuple(static_cast<int>(s.schedule), static_cast<int>(s.presence), s.running, s.mayClose,
                               s.expiring, s.confirm, s.hideOnMinimize, s.waitFor.Empty());
    };
    // Every state reachable from the start, and the states each one leads to.
    std::vector<ModelState> reached = {ModelState()};
    std::set<decltype(key(ModelState()))> seen = {key(ModelState())};
    for (size_t i = 0; i < reached.size(); ++i) {
        for (const auto& [name, event] : all) {
            DialogModel model(reached[i]);
            const Effects effects = event(model);
            EXPECT_FALSE(reached[i].running && name != "Exit" && effects.endDialog)
                << name << " in " << testing::PrintToString(reached[i]);
            if (seen.insert(key(model.State())).second)
                reached.push_back(model.State());
        }
    }
    EXPECT_GT(reached.size(), 20u);
    for (const ModelState& start : reached) {
        if (start.schedule == S::Closed)
            continue;
        std::vector<ModelState> frontier = {start};
        std::set<decltype(key(ModelState()))> visited = {key(start)};
        bool found = false;
        for (size_t i = 0; i < frontier.size() && !found; ++i) {
            found = frontier[i].schedule == S::Idle && frontier[i].presence == P::Shown && !frontier[i].running;
            for (const auto& named : all) {
                DialogModel model(frontier[i]);
                named.second(model);
                if (visited.insert(key(model.State())).second)
                    frontier.push_back(model.State());
            }
        }
        EXPECT_TRUE(found) << "no way back from " << testing::PrintToString(start);
    }
}

TEST(DialogModel, TimingControls)
{
    struct {
        bool running, now, modeAfter;
        TimingControls want;
    } rows[] = {
        // running now after   now    at     after  picker minutes label  ok     hide
        {false, true, false, {true, false, false, false, false, false, true, false}},
        {false, true, true, {true, false, false, false, false, false, true, false}},
        {false, false, false, {true, true, true, true, false, true, true, false}},
        {false, false, true, {true, true, true, false, true, true, true, false}},
        {true, false, false, {false, false, false, false, false, false, false, true}},
        {true, false, true, {false, false, false, false, false, false, false, true}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.running << row.now << row.modeAfter);
        const TimingControls got = TimingControlsFor(row.running, row.now, row.modeAfter);
        EXPECT_EQ(std::make_tuple(got.now, got.at, got.after, got.picker, got.minutes, got.minLabel, got.ok,
                                  got.hideOnMinimize),
                  std::make_tuple(row.want.now, row.want.at, row.want.after, row.want.picker, row.want.minutes,
                                  row.want.minLabel, row.want.ok, row.want.hideOnMinimize));
    }
}

}  // namespace
