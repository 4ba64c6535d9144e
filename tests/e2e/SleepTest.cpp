// The machine kept awake while a countdown counts, and woken for the end of
// one that needs it running, seen through the real calls in Wine's log (the
// keep-awake requests; the wake timer's calls, relayed) and the system's own
// view of the program's timers (the due time).
#include "afx/file_time.h"
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/WaitableTimers.h"
#include "tests/e2e/driver/WineLog.h"

namespace e2e {
namespace {

using namespace quellix;

const std::string kAwake = "0x80000001";    // ES_CONTINUOUS | ES_SYSTEM_REQUIRED
const std::string kDropped = "0x80000000";  // ES_CONTINUOUS alone

class KeepingAwake : public TrayFixture {
protected:
    void SetUp() override
    {
        TrayFixture::SetUp();
        ASSERT_TRUE(RelayWakeTimerCalls());
        m_environment = {kSleepCallsDebug};
    }

    // Waits until the program's keep-awake requests so far are `want`.
    void ExpectStates(const std::vector<std::string>& want, const char* after)
    {
        const DWORD pid = FirstCopy().Id();
        EXPECT_TRUE(WaitUntil([&] { return ExecutionStates(pid) == want; }, kActionTimeout, 100))
            << after << ": " << testing::PrintToString(ExecutionStates(pid));
    }

    size_t Calls(const std::string& name) { return RelayedCalls(FirstCopy().Id(), name); }
};

TEST_F(KeepingAwake, WhileCountingOnlyAndWakesForTheEndOfAShutDown)
{
    m_dialog = StartFirstCopy();
    ASSERT_TRUE(m_dialog);
    const DWORD pid = FirstCopy().Id();
    EXPECT_EQ(std::vector<std::string>{}, ExecutionStates(pid)) << "kept awake while idle";

    m_dialog.SelectComboItem(id::Action, PositionOfCode(m_dialog, 3));
    const int64_t end = WallClockMs() + 300'000;
    StartCountdownAfter(m_dialog, "5");
    ExpectStates({kAwake}, "OK");
    EXPECT_EQ(1u, Calls("SetWaitableTimer"));
    const std::vector<WaitableTimerReading> timers = WaitableTimersOf(pid);
    ASSERT_EQ(1u, timers.size());
    // Both in 100 ns units since 1601.
    EXPECT_NEAR(static_cast<double>(timers[0].dueFileTime), static_cast<double>(end * afx::kFileTimeTicksPerMs),
                3000.0 * afx::kFileTimeTicksPerMs)
        << "the wake timer is not due at the end";

    m_dialog.Post(WM_COMMAND, command::StopTimer);
    ExpectStates({kAwake, kDropped}, "Stop Timer");
    EXPECT_TRUE(WaitUntil([&] { return Calls("CancelWaitableTimer") == 1; })) << "the wake timer stayed set";

    // A lock needs no wake: the machine would be asleep already.
    m_dialog.SelectComboItem(id::Action, PositionOfCode(m_dialog, 7));
    StartCountdownAfter(m_dialog, "5");
    ExpectStates({kAwake, kDropped, kAwake}, "OK for a lock");
    m_dialog.Click(id::Cancel);
    ExpectStates({kAwake, kDropped, kAwake, kDropped}, "Cancel");
    EXPECT_EQ(1u, Calls("SetWaitableTimer")) << "a wake timer for a lock";

    Process& scripted = StartCopy("/shutdown /after 2");
    EXPECT_TRUE(scripted.WaitForExit(kStartTimeout));
    ExpectStates({kAwake, kDropped, kAwake, kDropped, kAwake}, "/shutdown /after 2");
    EXPECT_TRUE(WaitUntil([&] { return Calls("SetWaitableTimer") == 2; }));

    m_dialog.Post(WM_COMMAND, command::Exit);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "Exit did not end the program";
    ExpectStates({kAwake, kDropped, kAwake, kDropped, kAwake, kDropped}, "Exit");
    EXPECT_EQ(2u, Calls("CancelWaitableTimer"));
}

// The question at the end may wait for a person while the machine sleeps.
TEST_F(KeepingAwake, NotWhileTheExpiryAsks)
{
    m_dialog = StartFirstCopy();
    ASSERT_TRUE(m_dialog);
    StartCountdownAt(m_dialog, 2);
    MessageBoxWindow prompt = WaitForPrompt(FirstCopy().Id(), kActionTimeout);
    ASSERT_TRUE(prompt);
    ExpectStates({kAwake, kDropped}, "the expiry");
    prompt.Answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.IsEnabled(id::Ok); }));
    Sleep(300);
    ExpectStates({kAwake, kDropped}, "No");
}

}  // namespace
}  // namespace e2e
