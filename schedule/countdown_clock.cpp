#include "schedule/countdown_clock.h"

#include "schedule/action_catalogue.h"
#include "schedule/idle_rule.h"

#include <algorithm>
#include <climits>

namespace quellix {

namespace {
constexpr int64_t kDaySeconds = afx::kSecondsPerDay;

int ClampToInt(int64_t v)
{
    if (v > INT_MAX)
        return INT_MAX;
    if (v < INT_MIN)
        return INT_MIN;
    return static_cast<int>(v);
}
}  // namespace

void CountdownClock::Start(int countSeconds, int64_t nowMs)
{
    Start(countSeconds, nowMs, static_cast<int64_t>(countSeconds) * 1000);
}

void CountdownClock::Start(int countSeconds, int64_t nowMs, int64_t durationMs)
{
    m_startMs = nowMs;
    m_deadlineMs = nowMs + durationMs;
    m_warningArmed = countSeconds > kWarningSeconds;
    m_expiryArmed = true;
    m_followsWall = false;
    m_skipExtended = false;
    m_moved = false;
    m_sleep = Sleep::kNone;
}

void CountdownClock::FollowWallClock(int64_t targetWallMs)
{
    m_followsWall = true;
    m_targetWallMs = targetWallMs;
}

void CountdownClock::Resync(int64_t nowMs, int64_t wallNowMs)
{
    if (!m_followsWall)
        return;
    m_deadlineMs = static_cast<int64_t>(static_cast<uint64_t>(nowMs) + static_cast<uint64_t>(WallMsLeft(wallNowMs)));
}

int64_t CountdownClock::ExpiryWaitMs(int64_t wallNowMs) const
{
    const int64_t left = WallMsLeft(wallNowMs);
    if (left <= 0)
        return 0;
    const int64_t wait = left - left / 512;
    return wait > 1 ? wait : 1;
}

int64_t CountdownClock::Postpone(int minutes, int64_t nowMs, int64_t wallNowMs)
{
    const int64_t newLeft = PostponedMsLeft(EndMsLeft(nowMs, wallNowMs), minutes);
    if (m_followsWall)
        m_targetWallMs = static_cast<int64_t>(static_cast<uint64_t>(wallNowMs) + static_cast<uint64_t>(newLeft));
    m_deadlineMs = static_cast<int64_t>(static_cast<uint64_t>(nowMs) + static_cast<uint64_t>(newLeft));
    if ((newLeft + 500) / 1000 > kWarningSeconds) {
        // A new end, with its own warning's moment: missed, it moves the end once more.
        m_warningArmed = true;
        m_skipExtended = false;
    }
    return newLeft;
}

int CountdownClock::RemainingAt(int64_t nowMs) const
{
    const int64_t diff = MsLeft(nowMs);
    // Rounding on halves of the difference, so that adding the half second
    // cannot overflow: floor(d/2) + 250 >= 500k exactly when d >= 1000k - 500.
    // Past the deadline (a tick late after sleep) nothing is left.
    return diff > 0 ? ClampToInt((diff / 2 + 250) / 500) : 0;
}

bool CountdownClock::TakeWarning(int remaining)
{
    if (!m_warningArmed || remaining > kWarningSeconds || remaining <= 0)
        return false;
    m_warningArmed = false;
    return true;
}

bool CountdownClock::EndHasCome(int64_t nowMs, int64_t wallNowMs) const
{
    if (m_followsWall)
        return ExpiryWaitMs(wallNowMs) == 0;
    return MsLeft(nowMs) <= 0;
}

bool CountdownClock::TakeExpiry()
{
    const bool armed = m_expiryArmed;
    m_expiryArmed = false;
    return armed;
}

int CountdownClock::MsToNextWholeSecond(int64_t nowMs) const
{
    int64_t next = MsLeft(nowMs) % 1000;
    if (next < 0)
        next += 1000;
    if (next <= 50)
        next += 1000;
    return static_cast<int>(next);
}

// Wrapping subtractions: no undefined behaviour for absurd clock values.
int64_t CountdownClock::MsLeft(int64_t nowMs) const
{
    return static_cast<int64_t>(static_cast<uint64_t>(m_deadlineMs) - static_cast<uint64_t>(nowMs));
}

int64_t CountdownClock::WallMsLeft(int64_t wallNowMs) const
{
    return static_cast<int64_t>(static_cast<uint64_t>(m_targetWallMs) - static_cast<uint64_t>(wallNowMs));
}

int64_t CountdownClock::EndMsLeft(int64_t nowMs, int64_t wallNowMs) const
{
    return m_followsWall ? WallMsLeft(wallNowMs) : MsLeft(nowMs);
}

CountdownStep CountdownClock::Show(int64_t nowMs, int64_t wallNowMs)
{
    CountdownStep step;
    step.kind = CountdownStep::kShow;
    step.remaining = RemainingAt(nowMs);
    step.warn = TakeWarning(step.remaining);
    step.tickMs = MsToNextWholeSecond(nowMs);
    step.waitMs = m_followsWall ? ExpiryWaitMs(wallNowMs) : std::max<int64_t>(MsLeft(nowMs), 0);
    // Both parts capped (a year) so that the sum and the product stay in range.
    constexpr int64_t kCapMs = 366LL * 86'400'000;
    const int64_t gone =
        std::min(static_cast<int64_t>(static_cast<uint64_t>(nowMs) - static_cast<uint64_t>(m_startMs)), kCapMs);
    const int64_t left = std::min(MsLeft(nowMs), kCapMs);
    step.progress = gone <= 0 ? 0 : left <= 0 ? 100 : static_cast<int>(gone * 100 / (gone + left));
    return step;
}

CountdownStep CountdownClock::Extend(int64_t nowMs, int64_t wallNowMs)
{
    constexpr int64_t kGraceMs = kWarningSeconds * 1000;
    m_deadlineMs = nowMs + kGraceMs;
    if (m_followsWall)
        m_targetWallMs = wallNowMs + kGraceMs;
    m_warningArmed = true;
    m_moved = true;
    m_sleep = Sleep::kHandled;
    CountdownStep step = Show(nowMs, wallNowMs);
    step.moved = true;
    step.wakeWallMs = WakeInstantMs(nowMs, wallNowMs);
    return step;
}

CountdownStep CountdownClock::EndOrExtend(int64_t nowMs, int64_t wallNowMs)
{
    // No clock is compared: a warning still armed at the end was never shown.
    if (m_warningArmed && !m_skipExtended) {
        m_skipExtended = true;
        return Extend(nowMs, wallNowMs);
    }
    if (m_sleep == Sleep::kAnnounced)
        return Extend(nowMs, wallNowMs);
    CountdownStep step;
    if (TakeExpiry())
        step.kind = CountdownStep::kEnd;
    return step;
}

CountdownStep CountdownClock::OnTick(int64_t nowMs, int64_t wallNowMs)
{
    if (!m_expiryArmed)
        return CountdownStep();
    Resync(nowMs, wallNowMs);
    if (EndHasCome(nowMs, wallNowMs))
        return EndOrExtend(nowMs, wallNowMs);
    return Show(nowMs, wallNowMs);
}

CountdownStep CountdownClock::OnExpiryTimer(int64_t nowMs, int64_t wallNowMs)
{
    if (!m_expiryArmed)
        return CountdownStep();
    Resync(nowMs, wallNowMs);
    // An "at" target, and any end that was moved, is looked at on its own
    // clock; otherwise the expiry timer alone decides, as it always has.
    if (m_followsWall || m_moved) {
        const int64_t wait = m_followsWall ? ExpiryWaitMs(wallNowMs) : MsLeft(nowMs);
        if (wait > 0) {
            CountdownStep step;
            step.kind = CountdownStep::kWait;
            step.waitMs = wait;
            return step;
        }
    }
    return EndOrExtend(nowMs, wallNowMs);
}

CountdownStep CountdownClock::OnResume(int64_t nowMs, int64_t wallNowMs)
{
    if (!m_expiryArmed)
        return CountdownStep();
    Resync(nowMs, wallNowMs);
    const int64_t left = EndMsLeft(nowMs, wallNowMs);
    const bool sameWakeUp = m_sleep == Sleep::kHandled;
    m_sleep = Sleep::kHandled;
    if (left <= 0 || (left < kWarningSeconds * 1000 && !sameWakeUp))
        return Extend(nowMs, wallNowMs);
    return Show(nowMs, wallNowMs);
}

void CountdownClock::OnSuspend()
{
    if (m_expiryArmed)
        m_sleep = Sleep::kAnnounced;
}

int64_t CountdownClock::WakeInstantMs(int64_t nowMs, int64_t wallNowMs) const
{
    if (m_followsWall)
        return m_targetWallMs;
    return static_cast<int64_t>(static_cast<uint64_t>(wallNowMs) + static_cast<uint64_t>(MsLeft(nowMs)));
}

bool WakesForEnd(int actionCode)
{
    switch (actionCode) {
    case ACTION_LOGOFF:
    case ACTION_POWEROFF:
    case ACTION_SHUTDOWN:
    case ACTION_RESTART:
    case ACTION_HIBERNATE:
        return true;
    default:  // stand by and lock, and codes that name nothing
        return false;
    }
}

int64_t NextLocalOccurrence(const afx::CivilTime& picked, int64_t now, const afx::UtcOffsetFn& offsetAt)
{
    const int64_t secondsOfDay = (picked.hour * 60 + picked.minute) * 60 + picked.second;
    // Dates in the local calendar, from the one before today's: a day is not
    // always 86,400 seconds long, and the clock may show a time twice.
    const int64_t today = afx::FloorDiv(now + offsetAt(now), kDaySeconds);
    for (int64_t date = today - 1; date <= today + 2; ++date) {
        const afx::LocalInstants at = afx::UtcFromLocal(date * kDaySeconds + secondsOfDay, offsetAt);
        if (at.first > now)
            return at.first;
        if (at.last > now)
            return at.last;
    }
    return now + kDaySeconds;  // not reached for any zone whose offset moves less than a day
}

int CountFor(int timingMode, const afx::CivilTime& picked, int64_t now, const afx::UtcOffsetFn& offsetAt,
             int durationMinutes, int64_t* target)
{
    switch (timingMode) {
    case 0: {
        const int64_t next = NextLocalOccurrence(picked, now, offsetAt);
        if (target)
            *target = next;
        return ClampToInt(next - now);
    }
    case 1:
        return ClampToInt(static_cast<int64_t>(durationMinutes) * 60);
    default:
        return 0;
    }
}

}  // namespace quellix
