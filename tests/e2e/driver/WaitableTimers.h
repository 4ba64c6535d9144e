// The waitable timers a process holds and when each is due, read from outside
// through the system's own queries. Under Wine no debug channel a test can
// read names the due time (+sync logs only a pointer to it; +server logs it,
// but from the wineserver, for every process, for the server's whole life).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace e2e {

struct WaitableTimerReading {
    USHORT handle = 0;        // the handle's value in its process
    int64_t dueFileTime = 0;  // 100 ns since 1601 UTC: the reading time plus the time left
    bool signaled = false;    // the due time has passed; cancelling changes neither this nor the due time
};

// Every waitable timer of process `pid`, in the order of its handles.
std::vector<WaitableTimerReading> WaitableTimersOf(DWORD pid);

}  // namespace e2e
