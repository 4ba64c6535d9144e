// Measures how a dialog program starts: StartupProbe <exe> <caption> <runs>
// starts the program `runs` times, one after the other, and for each run
// prints one line
//     run <n> visible_ms <time from CreateProcess to the visible window>
//         working_set_kb <..> private_kb <..>
// with the memory read one second after the window showed (the program
// idle). The window is then sent IDCANCEL and the program must end.
// Exit code 0 when every run worked.
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
    if (pid == search->pid && IsWindowVisible(window) && GetWindowTextA(window, text, sizeof text) &&
        strcmp(text, search->caption) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

static double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to, LARGE_INTEGER frequency)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: StartupProbe <exe> <window caption> <runs>\n");
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
        PROCESS_MEMORY_COUNTERS_EX memory = {};
        memory.cb = sizeof memory;
        GetProcessMemoryInfo(process.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
        printf("run %d visible_ms %.1f working_set_kb %lu private_kb %lu\n", run,
               Milliseconds(start, shown, frequency), static_cast<unsigned long>(memory.WorkingSetSize / 1024),
               static_cast<unsigned long>(memory.PrivateUsage / 1024));
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
