// Measures how punctually an "at" countdown of Quellix ends, for
// tools/bench-timer.sh.
//
// TimerProbe <exe> <lead seconds> <runs>
//   For each run: starts the program with no stored settings, clears "Now",
//   picks "at", puts the instant <lead seconds> after the current second into
//   the picker and presses OK (at a different point of the second each run).
//   Then it polls, about once a millisecond, for the question "Quellix timer
//   expired" and, in the last 5 seconds, reads the remaining-time text. The
//   question is answered No and the program ended. One line per run:
//     run <n> lead_s <s> press_phase_ms <ms past the second at OK>
//         expiry_ms <question shown minus target, signed>
//         text_expired_ms <"Timer expired" first read minus target, or ->
//         lag_min_ms <..> lag_max_ms <..> lag_mean_ms <..>
//         last_text "<text before the end>" last_lag_ms <..> samples <n>
//   where the lag of a sample is the seconds the text shows minus the true
//   time left to the target (positive: the text shows more time than is left).
// Exit code 0 when every run ended with the question.
#include "tests/e2e/driver/WallClock.h"
#include "res/resource.h"

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

const char kDialogCaption[] = "Quellix...";
const char kPromptCaption[] = "Quellix timer expired";
const int kNow = IDC_NOW, kAt = IDC_RADIO_AT, kTimeAt = IDC_TIME_AT, kOk = IDC_OK, kRemaining = IDC_REMAINING;

using e2e::LocalTimeAt;
using e2e::WallClockMs;

// The visible top-level "#32770" window of `pid` with this caption, or NULL.
HWND FindBox(DWORD pid, const char* caption)
{
    for (HWND box = FindWindowExA(NULL, NULL, "#32770", caption); box;
         box = FindWindowExA(NULL, box, "#32770", caption)) {
        DWORD owner = 0;
        GetWindowThreadProcessId(box, &owner);
        if (owner == pid && IsWindowVisible(box))
            return box;
    }
    return NULL;
}

LRESULT SendTo(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result);
    return static_cast<LRESULT>(result);
}

std::string ItemText(HWND dialog, int id)
{
    char text[128] = {};
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text), SMTO_NORMAL,
                        1000, &ignored);
    return text;
}

bool SetPicker(DWORD pid, HWND picker, const SYSTEMTIME& time)
{
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid);
    if (!process)
        return false;
    void* remote = VirtualAllocEx(process, NULL, sizeof time, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    SIZE_T written = 0;
    const bool ok = remote && WriteProcessMemory(process, remote, &time, sizeof time, &written) &&
                    SendTo(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(remote));
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return ok;
}

struct Sample {
    long long at;
    int shown;
};

int RunOnce(const char* exe, int run, int leadSeconds)
{
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quellix");
    std::string commandLine = std::string("\"") + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exe, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &startup, &info)) {
        fprintf(stderr, "cannot start %s: error %lu\n", exe, GetLastError());
        return 1;
    }
    CloseHandle(info.hThread);
    const DWORD pid = info.dwProcessId;
    int status = 1;

    HWND dialog = NULL;
    for (int i = 0; i < 1500 && !dialog; ++i) {
        dialog = FindBox(pid, kDialogCaption);
        if (!dialog)
            Sleep(10);
    }
    if (!dialog) {
        fprintf(stderr, "run %d: no dialog\n", run);
    } else {
        SendTo(GetDlgItem(dialog, kNow), BM_CLICK);
        SendTo(GetDlgItem(dialog, kAt), BM_CLICK);
        // A different point of the second for each run.
        const int phase = 50 + (run * 373) % 800;
        while (WallClockMs() % 1000 < phase || WallClockMs() % 1000 >= phase + 50)
            Sleep(1);
        const long long target = WallClockMs() / 1000 * 1000 + leadSeconds * 1000LL;
        const int pressPhase = static_cast<int>(WallClockMs() % 1000);
        SetPicker(pid, GetDlgItem(dialog, kTimeAt), LocalTimeAt(target));
        SendTo(GetDlgItem(dialog, kOk), BM_CLICK);

        Sample samples[20000];
        int count = 0;
        HWND prompt = NULL;
        long long shownAt = 0, expiredTextAt = 0;
        while (!prompt && WallClockMs() < target + 5000) {
            const long long now = WallClockMs();
            prompt = FindBox(pid, kPromptCaption);
            if (prompt) {
                shownAt = now;
                break;
            }
            if (now >= target - 5000 && count < 20000) {
                int seconds = 0;
                char rest[8] = {};
                const std::string text = ItemText(dialog, kRemaining);
                if (sscanf(text.c_str(), "Left %d sec%7s", &seconds, rest) == 2)
                    samples[count++] = Sample{(now + WallClockMs()) / 2, seconds};
                else if (text == "Timer expired" && !expiredTextAt)
                    expiredTextAt = now;
            }
            Sleep(1);
        }
        if (!prompt) {
            fprintf(stderr, "run %d: no question within 5 s of the target\n", run);
        } else {
            double lagMin = 1e9, lagMax = -1e9, lagSum = 0;
            for (int i = 0; i < count; ++i) {
                const double lag = samples[i].shown * 1000.0 - static_cast<double>(target - samples[i].at);
                lagMin = lag < lagMin ? lag : lagMin;
                lagMax = lag > lagMax ? lag : lagMax;
                lagSum += lag;
            }
            const int last = count ? samples[count - 1].shown : -1;
            const double lastLag = count ? last * 1000.0 - static_cast<double>(target - shownAt) : 0;
            printf("run %d lead_s %d press_phase_ms %d expiry_ms %lld text_expired_ms %s lag_min_ms %.0f lag_max_ms "
                   "%.0f lag_mean_ms %.0f "
                   "last_text \"Left %d sec.\" last_lag_ms %.0f samples %d\n",
                   run, leadSeconds, pressPhase, shownAt - target,
                   expiredTextAt ? std::to_string(expiredTextAt - target).c_str() : "-", count ? lagMin : 0,
                   count ? lagMax : 0, count ? lagSum / count : 0, last, lastLag, count);
            fflush(stdout);
            HWND no = GetDlgItem(prompt, IDNO);
            PostMessageA(no, BM_CLICK, 0, 0);
            status = 0;
        }
    }
    Sleep(200);
    TerminateProcess(info.hProcess, 0);
    WaitForSingleObject(info.hProcess, 5000);
    CloseHandle(info.hProcess);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Quellix");
    return status;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: TimerProbe <exe> <lead seconds> <runs>\n");
        return 2;
    }
    const int lead = atoi(argv[2]), runs = atoi(argv[3]);
    int failures = 0;
    for (int run = 1; run <= runs; ++run)
        failures += RunOnce(argv[1], run, lead);
    return failures ? 1 : 0;
}
