// The leak check of the popups (tools/leak-check.sh): a long row of stop
// notices launched through the program's real interface, and the program's
// resources measured once they have all gone. Nine notices in ten come from a
// countdown started with OK and stopped with Cancel; every tenth from the idle
// dialog minimised to the tray and restored from the icon. (Wine's task bar
// keeps a window for every icon it ever showed, which slows the whole desktop
// down when an icon comes and goes a thousand times.) Measured:
//   GDI objects    counted in the process's GDI handle table (through the probe)
//   USER objects   GetGuiResources; Wine does not count them (0, error 120), so
//                  the process's windows, top-level and child, are counted too
//   memory         the blocks and bytes the program holds from malloc, counted
//                  from the start of the check (through the probe: Wine's heap
//                  walk shows its small-block groups, not the blocks), and the
//                  working set and private bytes (GetProcessMemoryInfo; Wine
//                  gives the Linux process's resident set as its working set)
// $QUELLIX_LEAK_POPUPS sets the number of popups (default 1000).
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/Probe.h"

#include <psapi.h>

#include <cstdio>
#include <cstdlib>

namespace e2e {
namespace {

using namespace quellix;

struct Figures {
    long gdiObjects = -1;
    std::string gdiByType;  // "TYPE:COUNT ..." in the handle table's numbers
    DWORD guiGdi = 0, guiUser = 0, guiError = 0;
    size_t windows = 0;
    long heldBytes = 0, heldBlocks = 0;
    unsigned long long workingSet = 0, privateBytes = 0;
};

BOOL CALLBACK CountChild(HWND, LPARAM count)
{
    ++*reinterpret_cast<size_t*>(count);
    return TRUE;
}

Figures Measure(const Process& process)
{
    Figures f;
    const std::vector<std::string> gdi = AskProbe(process.Id(), "gdiobjects", 0);
    if (!gdi.empty())
        f.gdiObjects = atol(gdi[0].c_str());
    if (gdi.size() > 1)
        f.gdiByType = gdi[1];
    SetLastError(0);
    f.guiGdi = GetGuiResources(process.Handle(), GR_GDIOBJECTS);
    f.guiUser = GetGuiResources(process.Handle(), GR_USEROBJECTS);
    f.guiError = GetLastError();
    for (HWND window : TopLevelWindows(process.Id())) {
        ++f.windows;
        EnumChildWindows(window, CountChild, reinterpret_cast<LPARAM>(&f.windows));
    }
    const std::vector<std::string> held = AskProbe(process.Id(), "allocations", 0);
    if (!held.empty())
        sscanf(held[0].c_str(), "%ld %ld", &f.heldBytes, &f.heldBlocks);
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(process.Handle(), &counters, sizeof counters)) {
        f.workingSet = counters.WorkingSetSize;
        f.privateBytes = counters.PagefileUsage;
    }
    return f;
}

void Print(const char* when, int popups, const Figures& f)
{
    printf("%-22s popups %5d | GDI objects %4ld | GetGuiResources GDI %lu USER %lu (error %lu) | windows %3zu | "
           "malloc %+7ld bytes in %+5ld blocks | working set %6llu KB | private %6llu KB\n",
           when, popups, f.gdiObjects, static_cast<unsigned long>(f.guiGdi), static_cast<unsigned long>(f.guiUser),
           static_cast<unsigned long>(f.guiError), f.windows, f.heldBytes, f.heldBlocks, f.workingSet / 1024,
           f.privateBytes / 1024);
    printf("%-22s GDI objects by type: %s\n", "", f.gdiByType.c_str());
}

class PopupLeakCheck : public TrayFixture {
protected:
    // One popup, by OK and Cancel: a countdown started and stopped.
    bool StartAndStop()
    {
        m_dialog.Click(id::Ok);
        if (m_dialog.IsEnabled(id::Ok))
            return false;
        m_dialog.Click(id::Cancel);
        return m_dialog.IsEnabled(id::Ok);
    }

    // One popup, through the tray: the idle dialog minimised, then restored
    // from the icon.
    bool IntoTheTrayAndBack()
    {
        m_dialog.Post(WM_SYSCOMMAND, SC_MINIMIZE);
        if (!WaitUntil([&] { return !m_dialog.Visible(); }, 5000))
            return false;
        PostIconMouse(WM_LBUTTONDOWN);
        return WaitUntil([&] { return m_dialog.Visible() && !m_dialog.Minimized(); }, 5000);
    }

    // Waits until every popup has sunk away and the program is quiet again.
    void Settle()
    {
        EXPECT_TRUE(WaitUntil([&] { return ExistingPopups(m_dialog.ProcessId()).empty(); }, 15000, 50));
        Sleep(1000);
    }
};

TEST_F(PopupLeakCheck, StopNoticesLeaveNothingBehind)
{
    char value[32] = {};
    const int total = GetEnvironmentVariableA("QUELLIX_LEAK_POPUPS", value, sizeof value) ? atoi(value) : 1000;
    // By the end of the warm-up the most popups allowed at once have been
    // open together: what the system keeps for so many windows is in place.
    const int warmUp = std::min(100, total / 2);
    // At most five popups a second, and no more than twenty at once: each
    // stays 4.2 s, longer when many animate together and their steps lag.
    const DWORD roundMs = 200;
    const size_t mostAtOnce = 20;

    ASSERT_TRUE(StartRecordedCopy());
    WaitForDialogBack();
    // Countdowns of one minute, which Cancel stops long before their end.
    m_dialog.Click(id::Now);
    m_dialog.Click(id::After);
    m_dialog.TypeText(id::Minutes, "1");
    AskProbe(FirstCopy().Id(), "allocations", 0);  // counting starts here
    const Figures start = Measure(FirstCopy());
    Print("at the start", 0, start);

    Figures warm;
    const DWORD began = GetTickCount();
    for (int popups = 1; popups <= total; ++popups) {
        const DWORD round = GetTickCount();
        if (popups % 10 == 0)
            ASSERT_TRUE(IntoTheTrayAndBack()) << "popup " << popups << ": the dialog did not go to the tray and back";
        else
            ASSERT_TRUE(StartAndStop()) << "popup " << popups << ": OK and Cancel did not start and stop a countdown";
        if (popups % 100 == 0)
            printf("... %d popups launched, %lu s, %zu open\n", popups, (GetTickCount() - began) / 1000,
                   ExistingPopups(m_dialog.ProcessId()).size());
        if (popups == total / 2)
            Print("halfway, popups open", popups, Measure(FirstCopy()));
        if (popups == warmUp) {
            Settle();
            warm = Measure(FirstCopy());
            Print("after the warm-up", popups, warm);
        }
        const DWORD spent = GetTickCount() - round;
        if (spent < roundMs)
            Sleep(roundMs - spent);
        WaitUntil([&] { return ExistingPopups(m_dialog.ProcessId()).size() < mostAtOnce; }, 30000, 50);
    }
    Settle();
    const Figures end = Measure(FirstCopy());
    Print("at the end", total, end);
    printf("%d popups in %lu s\n", total, (GetTickCount() - began) / 1000);

    // Nothing grows from the warm-up to the end.
    EXPECT_LE(end.gdiObjects, warm.gdiObjects) << "GDI objects grew";
    EXPECT_LE(end.windows, warm.windows) << "windows grew";
    EXPECT_LE(end.heldBlocks, warm.heldBlocks) << "the program holds more memory blocks";
    EXPECT_LE(end.heldBytes, warm.heldBytes) << "the program holds more memory";
    EXPECT_LE(end.workingSet, warm.workingSet + 1024 * 1024) << "the working set grew";
    EXPECT_LE(end.privateBytes, warm.privateBytes + 1024 * 1024) << "private bytes grew";
}

}  // namespace
}  // namespace e2e
