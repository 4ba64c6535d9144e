#include "schedule/countdown_clock.h"

#include "schedule/idle_rule.h"

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
    m_deadlineMs = nowMs + durationMs;
    m_warningArmed = countSeconds > kWarningSeconds;
    m_expiryArmed = true;
    m_followsWall = false;
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
    const uint64_t left = static_cast<uint64_t>(m_targetWallMs) - static_cast<uint64_t>(wallNowMs);
    m_deadlineMs = static_cast<int64_t>(static_cast<uint64_t>(nowMs) + left);
}

int64_t CountdownClock::ExpiryWaitMs(int64_t wallNowMs) const
{
    const int64_t left = static_cast<int64_t>(static_cast<uint64_t>(m_targetWallMs) - static_cast<uint64_t>(wallNowMs));
    if (left <= 0)
        return 0;
    const int64_t wait = left - left / 512;
    return wait > 1 ? wait : 1;
}

int64_t CountdownClock::Postpone(int minutes, int64_t nowMs, int64_t wallNowMs)
{
    const int64_t left =
        m_followsWall ? static_cast<int64_t>(static_cast<uint64_t>(m_targetWallMs) - static_cast<uint64_t>(wallNowMs))
                      : static_cast<int64_t>(static_cast<uint64_t>(m_deadlineMs) - static_cast<uint64_t>(nowMs));
    const int64_t newLeft = PostponedMsLeft(left, minutes);
    if (m_followsWall)
        m_targetWallMs = static_cast<int64_t>(static_cast<uint64_t>(wallNowMs) + static_cast<uint64_t>(newLeft));
    m_deadlineMs = static_cast<int64_t>(static_cast<uint64_t>(nowMs) + static_cast<uint64_t>(newLeft));
    if ((newLeft + 500) / 1000 > kWarningSeconds)
        m_warningArmed = true;
    return newLeft;
}

int CountdownClock::RemainingAt(int64_t nowMs) const
{
    // Wrapping subtraction: no undefined behaviour for absurd clock values.
    const int64_t diff = static_cast<int64_t>(static_cast<uint64_t>(m_deadlineMs) - static_cast<uint64_t>(nowMs));
    // Rounding on halves of the difference, so that adding the half second
    // cannot overflow: floor(d/2) + 250 >= 500k exactly when d >= 1000k - 500.
    // Past the deadline (a tick late after sleep) nothing is left.
    return diff > 0 ? ClampToInt((diff / 2 + 250) / 500) : 0;
}

bool CountdownClock::TakeWarning(int remaining)
{
    if (!m_warningArmed || remaining > kWarningSeconds)
        return false;
    m_warningArmed = false;
    return remaining > 0;
}

bool CountdownClock::EndHasCome(int64_t nowMs, int64_t wallNowMs) const
{
    if (m_followsWall)
        return ExpiryWaitMs(wallNowMs) == 0;
    return static_cast<int64_t>(static_cast<uint64_t>(m_deadlineMs) - static_cast<uint64_t>(nowMs)) <= 0;
}

bool CountdownClock::TakeExpiry()
{
    const bool armed = m_expiryArmed;
    m_expiryArmed = false;
    return armed;
}

int CountdownClock::MsToNextWholeSecond(int64_t nowMs) const
{
    const int64_t left = static_cast<int64_t>(static_cast<uint64_t>(m_deadlineMs) - static_cast<uint64_t>(nowMs));
    int64_t next = left % 1000;
    if (next < 0)
        next += 1000;
    if (next <= 50)
        next += 1000;
    return static_cast<int>(next);
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
