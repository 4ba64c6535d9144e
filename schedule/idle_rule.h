// The "/idle" timing: the action follows once a number of minutes have passed
// with no keyboard or mouse input. The system reports the last input as a
// 32-bit millisecond tick (GetLastInputInfo, on GetTickCount's clock), which
// wraps after 49.7 days; the readings are compared by wrap-around difference.
#pragma once

#include <cstdint>

namespace quellix {

// Milliseconds left before the action of an idle timing of `minutes` started
// at `startTick`, given the last input's tick and the current tick: `minutes`
// minus the quiet time, never below 0. The quiet time runs from the later of
// the start and the last input, so the count begins at the full minutes
// (however long the machine had been left alone before) and any input starts
// it again. Input up to a minute "after" now is taken as now: the two ticks
// are read one after the other. Ages beyond 49.7 days wrap and read as
// recent, which only starts the count again.
int64_t IdleMsLeft(int minutes, uint32_t startTick, uint32_t lastInputTick, uint32_t nowTick);

// Where a countdown pushed back by `minutes` ends: `msLeft` (0 if already
// past) plus the minutes, but never more than 2880 minutes from now.
int64_t PostponedMsLeft(int64_t msLeft, int minutes);

// An idle countdown's bookkeeping, on the input's tick clock: the quiet
// minutes, then the minutes postponed meanwhile, which come after them
// once, however often input starts the quiet minutes again.
class IdleCount {
public:
    void Start(int minutes, uint32_t nowTick);
    void Stop() { m_quiet = false; }
    // Input still counts: the quiet minutes have not passed.
    bool Quiet() const { return m_quiet; }
    // The countdown was moved to end `msLeft` after `nowTick`: what that adds
    // comes after the quiet minutes.
    void Postponed(int64_t msLeft, uint32_t nowTick);
    // A tick: when input since the count was last set starts it again, the
    // milliseconds it now counts from `nowTick`; else -1. Once the quiet
    // minutes have passed it is -1 for good.
    int64_t RestartMsLeft(uint32_t lastInputTick, uint32_t nowTick);

private:
    int64_t Counted(uint32_t nowTick) const;

    int m_minutes = 0;
    int64_t m_postponedMs = 0;
    uint32_t m_startTick = 0;
    bool m_quiet = false;
    // Where the countdown was last set: this much left at that tick.
    int64_t m_setMsLeft = 0;
    uint32_t m_setTick = 0;
};

}  // namespace quellix
