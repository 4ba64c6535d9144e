// WaitForProcessEnd <exe name> <timeout ms>
//   Waits until no process of this exe name runs in the Wine prefix. Prints
//   "ended" and exits 0, or names the count still running and exits 1 once
//   the time is up. Used by installer_test.sh.
#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>

namespace {
// The processes whose exe name is `name`, compared without case as the
// system does.
int CountProcesses(const char* name)
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    int count = 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, name) == 0)
            ++count;
    CloseHandle(snapshot);
    return count;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        fprintf(stderr, "usage: WaitForProcessEnd <exe name> <timeout ms>\n");
        return 2;
    }
    const DWORD timeoutMs = static_cast<DWORD>(atol(argv[2]));
    const DWORD start = GetTickCount();
    int count;
    while ((count = CountProcesses(argv[1])) != 0) {
        if (GetTickCount() - start > timeoutMs) {
            fprintf(stderr, "%d %s still running after %lu ms\n", count, argv[1], timeoutMs);
            return 1;
        }
        Sleep(20);
    }
    printf("ended\n");
    return 0;
}
