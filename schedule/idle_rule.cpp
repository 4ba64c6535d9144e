#include "schedule/idle_rule.h"

#include "dialog/settings_values.h"

#include <algorithm>

namespace quellix {

namespace {
constexpr int64_t kMinuteMs = 60 * 1000;
// Input read as this much later than now is input of the present moment.
constexpr uint32_t kAheadToleranceMs = 60 * 1000;

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

int IdleSecondsLeft(int minutes, uint32_t startTick, uint32_t lastInputTick, uint32_t nowTick)
{
    return static_cast<int>((IdleMsLeft(minutes, startTick, lastInputTick, nowTick) + 500) / 1000);
}

int64_t PostponedMsLeft(int64_t msLeft, int minutes)
{
    return std::min(std::max<int64_t>(msLeft, 0) + std::max(minutes, 0) * kMinuteMs, kMinutesMax * kMinuteMs);
}

}  // namespace quellix
