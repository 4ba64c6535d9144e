// Watches dialog programs start, for the benchmark and the screenshot tool.
//
// StartupProbe <exe> <caption> <runs>
//   starts the program `runs` times, one after the other, and for each run
//   prints one line
//     run <n> visible_ms <time from CreateProcess to the visible window>
//         working_set_kb <..>
//   with the memory read one second after the window showed (the program
//   idle). The window is then sent IDCANCEL and the program must end.
// StartupProbe --wait <caption> <timeout ms>
//   waits for a visible top-level window with that caption, of any process,
//   and prints its rectangle "x y width height".
// Exit code 0 on success.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

struct Search {
    DWORD pid;
    const char* caption;
    HWND found;
};

static BOOL CALLBACK FindWindowOf(HWND window, LPARAM param)
{
    Search* search = reinterpret_cast<Search*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char text[256] = {};
    if ((search->pid == 0 || pid == search->pid) && IsWindowVisible(window) &&
        GetWindowTextA(window, text, sizeof text) && strcmp(text, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

static int WaitForWindow(const char* caption, DWORD timeoutMs)
{
    Search search = {0, caption, NULL};
    const DWORD start = GetTickCount();
    do {
        EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(20);
    } while (!search.found && GetTickCount() - start < timeoutMs);
    if (!search.found) {
        fprintf(stderr, "no visible window \"%s\" within %lu ms\n", caption, timeoutMs);
        return 1;
    }
    RECT rect;
    GetWindowRect(search.found, &rect);
    printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int main(int argc, char** argv)
{
    if (argc == 4 && strcmp(argv[1], "--wait") == 0)
        return WaitForWindow(argv[2], strtoul(argv[3], NULL, 10));
    if (argc != 4) {
        fprintf(stderr, "usage: StartupProbe <exe> <caption> <runs> | StartupProbe --wait <caption> <ms>\n");
        return 2;
    }
    const char* exe = argv[1];
    const char* caption = argv[2];
    const int runs = atoi(argv[3]);
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);

    for (int run = 1; run <= runs; ++run) {
        char commandLine[MAX_PATH + 2];
        snprintf(commandLine, sizeof commandLine, "\"%s\"", exe);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        LARGE_INTEGER start, shown;
        QueryPerformanceCounter(&start);
        if (!CreateProcessA(exe, commandLine, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process)) {
            fprintf(stderr, "cannot start %s: error %lu\n", exe, GetLastError());
            return 1;
        }
        Search search = {process.dwProcessId, caption, NULL};
        const DWORD deadline = GetTickCount() + 20000;
        while (!search.found && GetTickCount() < deadline) {
            EnumWindows(FindWindowOf, reinterpret_cast<LPARAM>(&search));
            if (!search.found)
                Sleep(1);
        }
        QueryPerformanceCounter(&shown);
        if (!search.found) {
            fprintf(stderr, "no visible window \"%s\" within 20 s\n", caption);
            TerminateProcess(process.hProcess, 1);
            return 1;
        }
        Sleep(1000);
        PROCESS_MEMORY_COUNTERS memory = {};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
        printf("run %d visible_ms %.1f working_set_kb %lu\n", run, Milliseconds(start, shown, frequency),
               static_cast<unsigned long>(memory.WorkingSetSize / 1024));
        fflush(stdout);

        PostMessageA(search.found, WM_COMMAND, IDCANCEL, 0);
        if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
            fprintf(stderr, "the program did not end after IDCANCEL\n");
            TerminateProcess(process.hProcess, 1);
            return 1;
        }
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    return 0;
}
