// The program's own keep-awake request and wake timer, run in this process
// against the system's real calls, and read back through the system.
#include "afx/file_time.h"
#include "schedule/KeepAwake.h"
#include "schedule/WakeTimer.h"
#include "tests/e2e/driver/WaitableTimers.h"

#include <gtest/gtest.h>

namespace {

int64_t WallNowMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return afx::MsSince1970((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime);
}

std::vector<e2e::WaitableTimerReading> OwnTimers() { return e2e::WaitableTimersOf(GetCurrentProcessId()); }

TEST(KeepAwake, AsksForTheSystemAloneAndDropsIt)
{
    KeepSystemAwake(false);
    // Each call answers with the state asked for before it.
    EXPECT_EQ(KeepSystemAwake(true), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));
    EXPECT_EQ(KeepSystemAwake(true), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    EXPECT_EQ(KeepSystemAwake(false), static_cast<EXECUTION_STATE>(ES_CONTINUOUS | ES_SYSTEM_REQUIRED));
    EXPECT_EQ(KeepSystemAwake(false), static_cast<EXECUTION_STATE>(ES_CONTINUOUS));
}

TEST(WakeTimer, AimsAtTheWallClockInstantUntilCancelledOrGone)
{
    const size_t before = OwnTimers().size();
    {
        CWakeTimer timer;
        EXPECT_FALSE(timer.Cancel());  // nothing set yet, nothing created
        EXPECT_EQ(OwnTimers().size(), before);

        const int64_t due = WallNowMs() + 3'600'000;
        ASSERT_TRUE(timer.Set(due));
        // The set succeeds where the system cannot wake for it; it says so.
        const DWORD error = GetLastError();
        EXPECT_TRUE(error == ERROR_SUCCESS || error == ERROR_NOT_SUPPORTED || error == 722) << error;
        EXPECT_TRUE(timer.IsSet());
        std::vector<e2e::WaitableTimerReading> timers = OwnTimers();
        ASSERT_EQ(timers.size(), before + 1);
        EXPECT_NEAR(static_cast<double>(timers.back().dueFileTime), static_cast<double>(afx::FileTimeTicksFromMs(due)),
                    50.0 * afx::kFileTimeTicksPerMs);
        EXPECT_FALSE(timers.back().signaled);

        // A new instant replaces the old on the same timer; one in the past is due at once.
        ASSERT_TRUE(timer.Set(due + 60'000));
        timers = OwnTimers();
        ASSERT_EQ(timers.size(), before + 1);
        EXPECT_NEAR(static_cast<double>(timers.back().dueFileTime),
                    static_cast<double>(afx::FileTimeTicksFromMs(due + 60'000)), 50.0 * afx::kFileTimeTicksPerMs);
        ASSERT_TRUE(timer.Set(WallNowMs() - 1000));
        Sleep(20);
        EXPECT_TRUE(OwnTimers().back().signaled);

        EXPECT_TRUE(timer.Cancel());
        EXPECT_FALSE(timer.IsSet());
        EXPECT_FALSE(timer.Cancel());
        EXPECT_EQ(OwnTimers().size(), before + 1);  // kept for the next set
    }
    EXPECT_EQ(OwnTimers().size(), before);  // closed with its owner
}

}  // namespace
