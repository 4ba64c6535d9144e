// A countdown whose end passed while the machine slept: the program is
// stopped past the end, as sleep stops it, and on its return finds the tick
// and the expiry timer queued in the unlucky order (the tick first). It
// expires once, with its question, and shows no negative time and no
// warning meanwhile.
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

class SleptDeadline : public TrayFixture {};

TEST_F(SleptDeadline, ATickAfterTheEndExpiresOnceWithoutANegativeTimeOrWarning)
{
    m_dialog = StartFirstCopy();
    ASSERT_TRUE(m_dialog);
    ASSERT_TRUE(m_dialog.IsChecked(id::Confirm));
    const DWORD pid = FirstCopy().Id();
    // "after", on the monotonic clock alone; long enough to arm the
    // 30-second warning, which must not come late.
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
    ASSERT_GT(SuspendProcess(pid, false), 0);

    MessageBoxWindow prompt = WaitForPrompt(pid, kActionTimeout);
    ASSERT_TRUE(prompt) << "no question after the late end";
    Sleep(700);
    EXPECT_EQ(1u, OpenMessageBoxes(pid, m_dialog.Handle()).size()) << "the countdown expired more than once";
    EXPECT_EQ("Timer expired", m_dialog.ItemText(id::Remaining));
    const TrayIcon icon = WaitForOneIcon();
    EXPECT_EQ(std::string::npos, icon.tip.find('-')) << icon.tip;
    EXPECT_TRUE(ExistingPopups(pid).empty()) << "a warning came after the end";

    prompt.Answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.Visible() && m_dialog.IsEnabled(id::Ok); }));
    Sleep(300);
    EXPECT_TRUE(OpenMessageBoxes(pid, m_dialog.Handle()).empty()) << "a second question followed the first";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

}  // namespace
}  // namespace e2e
