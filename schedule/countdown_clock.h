// Time-keeping of the countdown.
//
// Decrementing a counter once per one-second timer message falls behind
// whenever messages arrive late or not at all (a stalled message loop, a
// machine that slept). The clock therefore keeps a deadline on a monotonic
// millisecond clock and derives the remaining seconds from it; with ticks on
// time the texts are the same as those of the plain decrement.
#pragma once

#include "afx/local_time.h"

#include <cstdint>

namespace quellix {

// The warning popup comes when this many seconds are left.
constexpr int kWarningSeconds = 30;

// What the dialog does after it told the clock of a tick, of its expiry timer
// or of a resume (CountdownClock::OnTick, OnExpiryTimer, OnResume).
struct CountdownStep {
    enum Kind {
        kNothing,  // nothing: the end was taken already (a message left over)
        kWait,     // the expiry timer came before the end: set it again, for waitMs
        kShow,     // the countdown goes on: show `remaining`, set the tick timer for tickMs
        kEnd,      // the end has come and is taken: run the model's expiry; once per countdown
    };
    Kind kind = kNothing;
    int remaining = 0;       // kShow: whole seconds left
    bool warn = false;       // kShow: the warning popup is due now
    bool moved = false;      // kShow: the end moved (30 s from now): set the expiry timer for waitMs
    int64_t waitMs = 0;      // kWait, and kShow when moved
    int tickMs = 0;          // kShow: MsToNextWholeSecond
    int progress = 0;        // kShow: percent of the countdown gone, 0 to 100, for the bar
    int64_t wakeWallMs = 0;  // kShow when moved: the new end on the wall clock (WakeInstantMs)
};

class CountdownClock {
public:
    // The dialog's three moments. Each reads the monotonic and the wall
    // clock once and returns what to do. The rule they keep: a countdown
    // never ends without its warning's moment 30 s before.
    // - A tick or the expiry timer that finds the end has come while no tick
    //   saw the last 30 s (the machine slept or the program stalled through
    //   them) moves the end to 30 s from now, once per countdown: the warning
    //   shows, then the end comes as usual. Likewise after OnSuspend, for the
    //   first of them after the sleep, whichever message Windows sends first.
    // - A resume (WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC or
    //   PBT_APMRESUMESUSPEND) with less than 30 s left moves the end to 30 s
    //   from now and warns again; one wake-up, one such move: a second resume
    //   message without a suspend in between, or one after a tick already
    //   moved the end for this wake-up, moves it only if the end has passed.
    //   With 30 s or more left it only brings the time shown up to date.
    CountdownStep OnTick(int64_t nowMs, int64_t wallNowMs);
    CountdownStep OnExpiryTimer(int64_t nowMs, int64_t wallNowMs);
    CountdownStep OnResume(int64_t nowMs, int64_t wallNowMs);
    // PBT_APMSUSPEND: the machine is going to sleep.
    void OnSuspend();
    // The instant of the wall clock (ms since 1970) at which the countdown
    // ends: an "at" target itself, else the wall clock plus what is left.
    // For the wake timer at the start; a step that says `moved` carries it.
    int64_t WakeInstantMs(int64_t nowMs, int64_t wallNowMs) const;

    // The parts the steps are made of.
    // Arms the warning unless the countdown is too short to pass through it.
    // The deadline lies the whole count after nowMs, or `durationMs` after it:
    // an "at" target is counted in whole seconds from the current second but
    // lies up to a second less ahead.
    void Start(int countSeconds, int64_t nowMs);
    void Start(int countSeconds, int64_t nowMs, int64_t durationMs);
    // Whole seconds to the deadline, rounded to nearest (halves away from
    // zero); 0 once the deadline has passed, never less.
    int RemainingAt(int64_t nowMs) const;
    // True at most once per countdown: at the first call that sees
    // kWarningSeconds or less left, however far a late tick jumped past it,
    // but never with nothing left (a tick late after sleep): the warning then
    // stays armed, and its skipped moment moves the end.
    bool TakeWarning(int remaining);
    // The countdown's end has come: on the wall clock for an "at" target,
    // else on the monotonic clock. A tick that finds it so ends the
    // countdown instead of showing a time.
    bool EndHasCome(int64_t nowMs, int64_t wallNowMs) const;
    // True exactly once per start: the expiry runs once, whichever of the
    // tick or the expiry timer comes first after the end.
    bool TakeExpiry();
    // Milliseconds from nowMs to the next moment a whole number of seconds is
    // left, when the next tick is due: 51 to 1050, so that a tick a little
    // early does not come again for the same second.
    int MsToNextWholeSecond(int64_t nowMs) const;
    int64_t DeadlineMs() const { return m_deadlineMs; }
    // Moves the end `minutes` later, but at most 2880 minutes from now; an
    // "at" target becomes the later instant on the wall clock. The warning is
    // armed again when more than kWarningSeconds are then left. Returns the
    // milliseconds now left, over which the progress bar starts again.
    int64_t Postpone(int minutes, int64_t nowMs, int64_t wallNowMs);

    // An "at" countdown ends on an instant of the wall clock (ms since any
    // epoch), which neither the monotonic clock nor the system's timers need
    // keep pace with: the wall clock may be corrected or set meanwhile.
    // Start forgets any such instant; Resync moves the deadline to where the
    // wall clock now puts it.
    void FollowWallClock(int64_t targetWallMs);
    bool FollowsWallClock() const { return m_followsWall; }
    void Resync(int64_t nowMs, int64_t wallNowMs);
    // For the expiry timer of a countdown that follows the wall clock: 0 when
    // the instant has come, else how long to wait before looking again,
    // 1/512 short of the time left (at least 1 ms), so that a timer running
    // a little slow still comes back before the instant.
    int64_t ExpiryWaitMs(int64_t wallNowMs) const;

private:
    // What the clock knows of the machine's sleep since the start.
    enum class Sleep { kNone, kAnnounced, kHandled };

    // Moves the end to kWarningSeconds from now and shows it, warning.
    CountdownStep Extend(int64_t nowMs, int64_t wallNowMs);
    CountdownStep Show(int64_t nowMs, int64_t wallNowMs);
    // The end has come: extended when its warning's moment was skipped.
    CountdownStep EndOrExtend(int64_t nowMs, int64_t wallNowMs);
    // Milliseconds to the end: on the monotonic clock, on the wall clock (an
    // "at" target), and on the clock the end follows.
    int64_t MsLeft(int64_t nowMs) const;
    int64_t WallMsLeft(int64_t wallNowMs) const;
    int64_t EndMsLeft(int64_t nowMs, int64_t wallNowMs) const;

    int64_t m_startMs = 0;
    int64_t m_deadlineMs = 0;
    bool m_warningArmed = false;
    bool m_expiryArmed = false;
    bool m_followsWall = false;
    int64_t m_targetWallMs = 0;
    bool m_skipExtended = false;  // the skipped warning moved the end: once per countdown
    bool m_moved = false;         // the end was moved since the start
    Sleep m_sleep = Sleep::kNone;
};

// Whether the end of a countdown of `actionCode` wakes a sleeping machine:
// log off, turn off power, shut down, restart and hibernate need it running;
// stand by and lock would find it asleep already.
bool WakesForEnd(int actionCode);

// The first instant after `now` (UTC seconds) at which the local clock shows
// the time of day of `picked`, on whichever date: the date of `picked` is not
// looked at. The target is found in the local calendar, so daylight saving in
// between does not move it. Of the two instants that show a time in the hour
// repeated when the clock goes back, the first still ahead; a time in the
// hour skipped when it goes forward comes at the change, the first instant
// after it that exists.
int64_t NextLocalOccurrence(const afx::CivilTime& picked, int64_t now, const afx::UtcOffsetFn& offsetAt);

// Seconds to count down for a timing mode: 0 "at" the time of day of
// `picked` (*target receives its instant), 1 "after" a number of minutes. Any
// other mode gives 0, which the dialog refuses to start.
int CountFor(int timingMode, const afx::CivilTime& picked, int64_t now, const afx::UtcOffsetFn& offsetAt,
             int durationMinutes, int64_t* target);

}  // namespace quellix
