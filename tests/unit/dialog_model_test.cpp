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

namespace quellix {
void PrintTo(const Effects& e, std::ostream* os)
{
    *os << "{timers " << int(e.timers) << ", stopped " << e.stopped << ", controls " << e.timingControls << ", list "
        << int(e.listAndCancel) << ", save " << e.save << ", unable " << e.unableToStart << ", progress "
        << int(e.progress) << ", text " << int(e.text) << ", tip " << int(e.tip) << ", icon " << int(e.icon)
        << ", window " << int(e.window) << ", menu " << int(e.menu) << ", popup " << int(e.popup) << ", endBoxes "
        << e.endBoxes << ", end " << e.endDialog << ", ask " << e.ask << ", request " << e.request << ", refusal "
        << e.reportRefusal << "}";
}

void PrintTo(const ModelState& s, std::ostream* os)
{
    *os << "{schedule " << int(s.schedule) << ", presence " << int(s.presence) << ", running " << s.running
        << ", mayClose " << s.mayClose << ", expiring " << s.expiring << ", storeChoices " << s.storeChoices << "}";
}
}  // namespace quellix

namespace {

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
    Fx& Stopped() { return Set(stopped, true).Set(timingControls, true).With(T::Kill).With(Sw::On); }
    Fx& Controls() { return Set(timingControls, true); }
    Fx& Save() { return Set(save, true); }
    Fx& UnableToStart() { return Set(unableToStart, true); }
    Fx& Ask() { return Set(ask, true); }
    Fx& Request() { return Set(request, true); }
    Fx& EndBoxes() { return Set(endBoxes, true); }
    Fx& EndDialog() { return Set(endDialog, true); }
    Fx& Refusal() { return Set(reportRefusal, true); }

    template <class V> Fx& Set(V& field, V value)
    {
        field = value;
        return *this;
    }
};

ModelState St(S schedule, P presence = P::Shown, bool running = false, bool mayClose = true, bool expiring = false)
{
    return {schedule, presence, running, mayClose, expiring};
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

ModelState With(ModelState s, P presence)
{
    s.presence = presence;
    return s;
}

const Event kOkNowAsk = [](DialogModel& m) { return m.Ok(Timing::Now, true, 0); };
const Event kOkNow = [](DialogModel& m) { return m.Ok(Timing::Now, false, 0); };
const Event kOkAfter = [](DialogModel& m) { return m.Ok(Timing::After, true, 600); };
const Event kOkAtNoCount = [](DialogModel& m) { return m.Ok(Timing::At, true, 0); };
const Event kCancel = [](DialogModel& m) { return m.CancelButton(); };
const Event kEscape = [](DialogModel& m) { return m.Escape(false); };
const Event kEscapeHiding = [](DialogModel& m) { return m.Escape(true); };
const Event kStop = [](DialogModel& m) { return m.StopTimer(); };
const Event kExit = [](DialogModel& m) { return m.Exit(); };
const Event kTick = [](DialogModel& m) { return m.Tick(false); };
const Event kTickWarning = [](DialogModel& m) { return m.Tick(true); };
const Event kExpiryAsk = [](DialogModel& m) { return m.Expiry(true); };
const Event kExpiry = [](DialogModel& m) { return m.Expiry(false); };
const Event kYes = [](DialogModel& m) { return m.Answer(true); };
const Event kNo = [](DialogModel& m) { return m.Answer(false); };
const Event kMade = [](DialogModel& m) { return m.RequestMade(false); };
const Event kMadeCameBack = [](DialogModel& m) { return m.RequestMade(true); };
const Event kRefused = [](DialogModel& m) { return m.RequestRefused(); };
const Event kMinimise = [](DialogModel& m) { return m.Minimise(false); };
const Event kMinimiseHiding = [](DialogModel& m) { return m.Minimise(true); };
const Event kActivated = [](DialogModel& m) { return m.Activated(true, false, false); };
const Event kActivatedMinimised = [](DialogModel& m) { return m.Activated(true, true, false); };
const Event kActivatedHidden = [](DialogModel& m) { return m.Activated(false, false, false); };
const Event kUnminimised = [](DialogModel& m) { return m.Unminimised(); };
const Event kRestore = [](DialogModel& m) { return m.Restore(); };
const Event kHideIcon = [](DialogModel& m) { return m.HideIcon(); };
const Event kTaskbarCreated = [](DialogModel& m) { return m.TaskbarCreated(false); };
const Event kIconRefused = [](DialogModel& m) { return m.IconRefused(); };
const Event kCommandHide = [](DialogModel& m) { return m.CommandHide(); };
const Event kScriptedNowAsk = [](DialogModel& m) { return m.Ok(Timing::Now, true, 0, false); };
const Event kScriptedNow = [](DialogModel& m) { return m.Ok(Timing::Now, false, 0, false); };
const Event kScriptedAfter = [](DialogModel& m) { return m.Ok(Timing::After, true, 120, false); };

// A hide into the tray with the icon; a popup only when no countdown runs.
Fx HideWithIcon() { return Fx().With(Tip::Caption).With(I::Show).With(W::Hide).With(M::Hidden); }
Fx ReturnedToIdle() { return Fx().With(Sw::On).With(Tx::Empty).With(Pr::Empty).With(W::Show); }
Fx StopFromMenu() { return Fx().With(Tip::Caption).With(I::Modify).With(M::StopTimer); }

TEST(DialogModel, ScheduleRows)
{
    Check({
        {"OK Now, asked, No", kAskingNow, kNo, kIdle, Fx()},
        {"OK Now asks first", kIdle, kOkNowAsk, kAskingNow, Fx().Ask()},
        {"OK Now, Yes", kAskingNow, kYes, kActingNow, Fx().Save().Request()},
        {"OK Now, no question", kIdle, kOkNow, kActingNow, Fx().Save().Request()},
        {"Now: log off to power off requested", kActingNow, kMade, kIdleRequested, Fx()},
        {"Now: stand by, hibernate, lock came back", kActingNow, kMadeCameBack, kClosed, Fx().EndDialog()},
        {"Now: request refused", kActingNow, kRefused, kIdle, ReturnedToIdle().Refusal()},
        {"OK at/after, count 0", kIdle, kOkAtNoCount, kIdle, Fx().UnableToStart()},
        {"OK at/after starts", kIdle, kOkAfter, kCounting,
         Fx().With(T::Set).Save().With(Pr::Empty).With(Tx::Remaining).Controls()},
        {"Cancel button while idle", kIdle, kCancel, kClosed, Fx().EndDialog()},
        {"Cancel button after a Now request", kIdleRequested, kCancel, kClosed, Fx().EndDialog()},
        {"Escape while idle", kIdle, kEscape, kClosed, Fx().EndDialog()},
        {"Escape after a Now request", kIdleRequested, kEscape, kIdleRequested, Fx()},
        {"tick", kCounting, kTick, kCounting, Fx().With(Tx::Remaining)},
        {"tick at the warning", kCounting, kTickWarning, kCounting, Fx().With(Tx::Remaining).With(Pop::Warning)},
        {"Cancel button while counting", kCounting, kCancel, kIdle, Fx().Stopped().With(Pop::Stopped)},
        {"Stop Timer while counting", kCountingInTray, kStop, With(kIdle, P::InTray),
         StopFromMenu().Stopped().With(Pop::Stopped)},
        {"Escape while counting", kCounting, kEscape, kCountingInTray, HideWithIcon()},
        {"expiry asks", kCounting, kExpiryAsk, kAsking,
         Fx().With(T::Kill).With(Sw::Off).With(Pr::Full).With(Tx::Expired).Ask()},
        {"expiry without question", kCounting, kExpiry, kActing,
         Fx().With(T::Kill).With(Sw::Off).With(Pr::Full).With(Tx::Expired).Request()},
        {"expiry question, No", kAskingInTray, kNo, kIdle, ReturnedToIdle().Stopped()},
        {"expiry question, Yes", kAsking, kYes, kActing, Fx().Request()},
        {"expiry: log off to power off requested", kActing, kMade, kExpired, Fx()},
        {"expiry: stand by, hibernate, lock came back", kActing, kMadeCameBack, kIdle, ReturnedToIdle().Stopped()},
        {"Stop Timer after the expiry", kExpired, kStop, kIdleRequested, StopFromMenu().Stopped().With(Pop::Stopped)},
        {"Escape after the expiry", kExpired, kEscape, With(kExpired, P::InTray), HideWithIcon()},
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
    });
}

TEST(DialogModel, PresenceRows)
{
    const ModelState idleInTray = With(kIdle, P::InTray);
    Check({
        {"minimise while idle", kIdle, kMinimise, idleInTray, HideWithIcon().With(Pop::Stopped)},
        {"hide on minimize needs a countdown", kIdle, kMinimiseHiding, idleInTray, HideWithIcon().With(Pop::Stopped)},
        {"minimise while counting", kCounting, kMinimise, kCountingInTray, HideWithIcon()},
        {"minimise while counting, hide on minimize", kCounting, kMinimiseHiding, kCountingIconHidden,
         Fx().With(Tip::Caption).With(I::Delete).With(W::Hide).With(M::Hidden).With(Pop::Remember)},
        {"Escape while counting, hide on minimize", kCounting, kEscapeHiding, kCountingIconHidden,
         Fx().With(Tip::Caption).With(I::Delete).With(W::Hide).With(M::Hidden).With(Pop::Remember)},
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
        {"the icon comes back for the question", kCountingIconHidden, kExpiryAsk, kAskingInTray,
         Fx().With(T::Kill).With(Sw::Off).With(Pr::Full).With(Tx::Expired).With(I::Add).Ask()},
        {"Exit from the tray", kCountingInTray, kExit, With(kClosed, P::InTray),
         Fx().With(I::Delete).EndBoxes().EndDialog()},
        {"TaskbarCreated puts the icon back", kCountingInTray, kTaskbarCreated, kCountingInTray, Fx().With(I::Add)},
        {"TaskbarCreated ends the wait on the task bar", With(kIdle, P::AwaitingShell), kTaskbarCreated, idleInTray,
         HideWithIcon().With(Pop::Stopped)},
        {"restored from the task bar while waiting", With(kIdle, P::AwaitingShell), kUnminimised, kIdle, Fx()},
    });
}

// Combinations that no row of the lifecycle names.
TEST(DialogModel, Combinations)
{
    Check({
        {"minimise while asking: no popup", kAsking, kMinimise, kAskingInTray, HideWithIcon()},
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
        {"Escape after the expiry, hide on minimize", kExpired, kEscapeHiding, With(kExpired, P::IconHidden),
         Fx().With(Tip::Caption).With(I::Delete).With(W::Hide).With(M::Hidden).With(Pop::Remember)},
        {"OK again after a Now request", kIdleRequested, kOkNow, kActingNow, Fx().Save().Request()},
        {"a scripted OK Now stores nothing", kIdle, kScriptedNow, Scripted(kActingNow), Fx().Request()},
        {"nor when it asked first", Scripted(kAskingNow), kYes, Scripted(kActingNow), Fx().Request()},
        {"a scripted OK Now asks", kIdle, kScriptedNowAsk, Scripted(kAskingNow), Fx().Ask()},
        {"a scripted countdown stores nothing", kIdle, kScriptedAfter, Scripted(kCounting),
         Fx().With(T::Set).With(Pr::Empty).With(Tx::Remaining).Controls()},
        {"the user's next OK stores again", Scripted(kIdle), kOkNow, kActingNow, Fx().Save().Request()},
        {"a scripted countdown goes to the tray telling the time left", kCounting, kCommandHide, kCountingInTray,
         Fx().With(Tip::Remaining).With(I::Show).With(W::Hide).With(M::Hidden)},
    });
}

// Events that cannot happen in a state change nothing and do nothing.
TEST(DialogModel, ImpossibleEventsAreIgnored)
{
    const std::vector<std::pair<ModelState, std::vector<Event>>> ignored = {
        {kIdle, {kTick, kExpiryAsk, kYes, kNo, kMade, kRefused, kUnminimised, kHideIcon, kIconRefused, kCommandHide}},
        {kCounting, {kOkNow, kOkAfter, kYes, kMade, kMadeCameBack, kRefused, kUnminimised}},
        {kCountingInTray, {kMinimise, kMinimiseHiding, kCommandHide}},
        {kCountingIconHidden, {kHideIcon, kMinimise}},
        {kAsking, {kOkNow, kCancel, kEscape, kTick, kExpiryAsk, kMade, kRefused, kCommandHide}},
        {kActing, {kOkNow, kCancel, kEscape, kStop, kTick, kExpiry, kYes, kNo}},
        {kExpired, {kOkNow, kCancel, kTick, kExpiryAsk, kYes, kMade, kRefused}},
        {kClosed,
         {kOkNow, kOkAfter, kCancel, kEscape, kStop, kExit, kTick, kExpiryAsk, kYes, kNo, kMade, kMadeCameBack,
          kRefused, kMinimise, kActivated, kActivatedMinimised, kRestore, kHideIcon, kTaskbarCreated}},
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
    const std::vector<std::pair<std::string, Event>> all = {{"OK Now asking", kOkNowAsk},
                                                            {"OK Now", kOkNow},
                                                            {"OK after", kOkAfter},
                                                            {"OK no count", kOkAtNoCount},
                                                            {"Cancel", kCancel},
                                                            {"Escape", kEscape},
                                                            {"Escape hiding", kEscapeHiding},
                                                            {"Stop", kStop},
                                                            {"Exit", kExit},
                                                            {"tick", kTick},
                                                            {"tick warning", kTickWarning},
                                                            {"expiry asking", kExpiryAsk},
                                                            {"expiry", kExpiry},
                                                            {"Yes", kYes},
                                                            {"No", kNo},
                                                            {"made", kMade},
                                                            {"came back", kMadeCameBack},
                                                            {"refused", kRefused},
                                                            {"minimise", kMinimise},
                                                            {"minimise hiding", kMinimiseHiding},
                                                            {"activated", kActivated},
                                                            {"activated minimised", kActivatedMinimised},
                                                            {"activated hidden", kActivatedHidden},
                                                            {"unminimised", kUnminimised},
                                                            {"restore", kRestore},
                                                            {"hide icon", kHideIcon},
                                                            {"TaskbarCreated", kTaskbarCreated},
                                                            {"icon refused", kIconRefused}};
    auto key = [](const ModelState& s) {
        return std::make_tuple(static_cast<int>(s.schedule), static_cast<int>(s.presence), s.running, s.mayClose,
                               s.expiring);
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
