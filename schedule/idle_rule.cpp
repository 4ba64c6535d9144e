#include "schedule/idle_rule.h"

#include "dialog/settings_values.h"

#include <algorithm>

namespace quellix {

namespace {
constexpr int64_t kMinuteMs = 60 * 1000;
// Input read as this much later than now is input of the present moment.
constexpr uint32_t kAheadToleranceMs = 60 * 1000;
// Input this much later than the count's last start starts it again.
constexpr int64_t kRestartSlackMs = 250;

// How long ago `then` was, on the wrapping tick clock.
uint32_t AgeMs(uint32_t then, uint32_t now) { return static_cast<uint32_t>(now - then); }
}  // namespace

int64_t IdleMsLeft(int minutes, uint32_t startTick, uint32_t lastInputTick, uint32_t nowTick)
{
    uint32_t sinceInput = AgeMs(lastInputTick, nowTick);
    if (sinceInput > UINT32_MAX - kAheadToleranceMs)
        sinceInput = 0;
    uint32_t sinceStart = AgeMs(startTick, nowTick);
    if (sinceStart > UINT32_MAX - kAheadToleranceMs)
        sinceStart = 0;
    const int64_t quietMs = std::min(sinceInput, sinceStart);
    return std::max<int64_t>(0, minutes * kMinuteMs - quietMs);
}

int64_t PostponedMsLeft(int64_t msLeft, int minutes)
{
    return std::min(std::max<int64_t>(msLeft, 0) + std::max(minutes, 0) * kMinuteMs, kMinutesMax * kMinuteMs);
}

void IdleCount::Start(int minutes, uint32_t nowTick)
{
    m_minutes = minutes;
    m_postponedMs = 0;
    m_startTick = nowTick;
    m_quiet = true;
    m_setMsLeft = minutes * kMinuteMs;
    m_setTick = nowTick;
}

int64_t IdleCount::Counted(uint32_t nowTick) const { return m_setMsLeft - AgeMs(m_setTick, nowTick); }

void IdleCount::Postponed(int64_t msLeft, uint32_t nowTick)
{
    if (!m_quiet)
        return;
    m_postponedMs += std::max<int64_t>(0, msLeft - Counted(nowTick));
    m_setMsLeft = msLeft;
    m_setTick = nowTick;
}

int64_t IdleCount::RestartMsLeft(uint32_t lastInputTick, uint32_t nowTick)
{
    if (!m_quiet)
        return -1;
    const int64_t quietLeft = IdleMsLeft(m_minutes, m_startTick, lastInputTick, nowTick);
    if (quietLeft == 0) {
        m_quiet = false;  // what is left runs down as any countdown
        return -1;
    }
    // The ticks of the two readings differ by a few ms without input.
    if (quietLeft + m_postponedMs <= Counted(nowTick) + kRestartSlackMs)
        return -1;
    // At most 2880 minutes from now: the cap takes from the postponed minutes.
    const int64_t wanted = std::min(quietLeft + m_postponedMs, kMinutesMax * kMinuteMs);
    m_postponedMs = wanted - quietLeft;
    m_setMsLeft = wanted;
    m_setTick = nowTick;
    return wanted;
}

}  // namespace quellix
