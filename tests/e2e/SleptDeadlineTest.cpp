// A countdown whose end passed while the machine slept: the program is
// stopped past the end, as sleep stops it, and on its return finds the tick
// and the expiry timer queued in the unlucky order (the tick first). Nobody
// chose that moment, so it does not act at once: the warning shows with 30
// seconds left, then the end comes. A resume message after the warning with
// less than 30 seconds left gives the warning and the 30 seconds again.
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"

#include <tlhelp32.h>

namespace e2e {
namespace {

using namespace quellix;

// Suspends or resumes every thread of process `pid`; how many were reached.
int SuspendProcess(DWORD pid, bool suspend)
{
    int reached = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    THREADENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID != pid)
            continue;
        HANDLE thread = OpenThread(THREAD_SUSPEND_RESUME, FALSE, entry.th32ThreadID);
        if (!thread)
            continue;
        reached += (suspend ? SuspendThread(thread) : ResumeThread(thread)) != static_cast<DWORD>(-1);
        CloseHandle(thread);
    }
    CloseHandle(snapshot);
    return reached;
}

class SleptDeadline : public TrayFixture {
protected:
    // Starts the first copy with "Ask Confirmation" cleared: the end makes the request.
    void StartWithoutQuestion()
    {
        m_dialog = StartFirstCopy();
        ASSERT_TRUE(m_dialog);
        m_dialog.Click(id::Confirm);
        ASSERT_FALSE(m_dialog.IsChecked(id::Confirm));
    }

    // The time shown is 30 seconds (or 29, a tick later) soon after a missed warning.
    void ExpectThirtySecondsLeft()
    {
        std::optional<int> shown;
        EXPECT_TRUE(WaitUntil([&] {
            shown = ShownSeconds(m_dialog.ItemText(id::Remaining));
            return shown && *shown >= 29 && *shown <= 30;
        })) << m_dialog.ItemText(id::Remaining);
    }

    // Milliseconds from `sinceMs` on the wall clock until the first request is logged.
    int64_t MsUntilTheRequest(int64_t sinceMs)
    {
        EXPECT_TRUE(WaitUntil([&] { return !PowerRequests().empty(); }, 40'000, 50)) << "no request";
        return WallClockMs() - sinceMs;
    }
};

TEST_F(SleptDeadline, AnEndSleptThroughWarnsAndActsThirtySecondsLater)
{
    ASSERT_NO_FATAL_FAILURE(StartWithoutQuestion());
    const DWORD pid = FirstCopy().Id();
    // "after", on the monotonic clock alone; long enough to arm the warning.
    const int64_t target = WallClockMs() + 60'000;
    StartCountdownAfter(m_dialog, "1");
    ASSERT_TRUE(m_dialog.Minimize());
    ASSERT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "minimising did not hide the dialog";
    ASSERT_TRUE(WaitForTrayIconCount(1));

    ASSERT_GT(SuspendProcess(pid, true), 0) << "could not stop the program";
    ASSERT_LT(WallClockMs(), target - 30'000) << "the warning came before the program was stopped";
    while (WallClockMs() < target + 2000)
        Sleep(100);
    m_dialog.Post(WM_TIMER, 3);  // the tick
    m_dialog.Post(WM_TIMER, 1);  // the expiry
    const int64_t resumed = WallClockMs();
    ASSERT_GT(SuspendProcess(pid, false), 0);

    EXPECT_EQ(1u, WaitForPopups(pid, 1).size()) << "no warning after the end slept through";
    ExpectThirtySecondsLeft();
    const TrayIcon icon = WaitForOneIcon();
    EXPECT_TRUE(icon.tip.find("left 30 sec.") != std::string::npos ||
                icon.tip.find("left 29 sec.") != std::string::npos)
        << icon.tip;
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests()) << "acted at once on the resumed machine";

    const int64_t waited = MsUntilTheRequest(resumed);
    EXPECT_GT(waited, 28'000);
    EXPECT_LT(waited, 34'000);
    Sleep(500);
    EXPECT_EQ(1u, PowerRequests().size()) << "the countdown expired more than once";
    EXPECT_EQ("Timer expired", m_dialog.ItemText(id::Remaining));
}

TEST_F(SleptDeadline, AResumeAfterTheWarningWarnsAgain)
{
    ASSERT_NO_FATAL_FAILURE(StartWithoutQuestion());
    const DWORD pid = FirstCopy().Id();
    StartCountdownAt(m_dialog, 45);
    auto resume = [&] {
        m_dialog.Post(WM_POWERBROADCAST, PBT_APMSUSPEND);
        m_dialog.Post(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC);
    };
    // More than 30 seconds left: nothing changes.
    resume();
    PopupWatch popups(pid);
    EXPECT_EQ(0u, popups.PollFor(1500)) << "a popup after a resume with time to spare";
    const std::optional<int> early = ShownSeconds(m_dialog.ItemText(id::Remaining));
    EXPECT_TRUE(early && *early > 40) << m_dialog.ItemText(id::Remaining);

    // Past the warning, 10 seconds left: the warning again, and 30 seconds.
    ASSERT_TRUE(WaitUntil(
        [&] {
            popups.Poll();
            const std::optional<int> shown = ShownSeconds(m_dialog.ItemText(id::Remaining));
            return shown && *shown <= 10;
        },
        40'000, 50));
    EXPECT_EQ(1u, popups.Seen()) << "the warning did not come once";
    resume();
    const int64_t resumed = WallClockMs();
    EXPECT_TRUE(WaitUntil([&] { return popups.Poll() == 2; })) << "no warning after the resume";
    ExpectThirtySecondsLeft();
    const int64_t waited = MsUntilTheRequest(resumed);
    EXPECT_GT(waited, 28'000);
    EXPECT_LT(waited, 34'000);
}

}  // namespace
}  // namespace e2e
