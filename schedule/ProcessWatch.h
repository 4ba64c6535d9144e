// The "/waitfor" timing's watch: which processes it waits for, and whether
// they have ended. Looked at once per tick of the countdown, without a thread
// or a wake-up of its own: each process is opened with SYNCHRONIZE alone and
// its handle checked without waiting. A process that may not be opened (one
// of another user, a protected one) still counts while a snapshot of the
// process list shows it by its name or id.
#pragma once
#include "afx/OwnedHandle.h"
#include "schedule/wait_target.h"

#include <list>
#include <vector>

class CProcessWatch {
public:
    enum StartResult {
        kWatching,       // at least one such process runs; Ended() follows it
        kNoSuchProcess,  // none runs: nothing to wait for
        kCannotList,     // this system cannot list processes (NT 4.0 has no tool help)
    };

    // Forgets any earlier watch, then finds the processes of `target` (never
    // this program's own process).
    StartResult Start(const quellix::WaitTarget& target);
    // True once every watched process has ended, and from then on; the
    // handles are closed then. For a name, the last handle's end is checked
    // against a new snapshot, so a copy started meanwhile is waited for too.
    // False when nothing is watched.
    bool Ended();
    // Closes the handles; the watch is idle again.
    void Stop();

private:
    typedef COwnedHandle<HANDLE, ::CloseHandle> CProcessHandle;
    struct Watched {
        DWORD id = 0;
        CProcessHandle process;
    };

    // Takes in every listed process of the target not yet watched; false
    // when the list could not be read.
    bool TakeListed();
    bool Takes(DWORD id, const char* exeFile) const;
    bool IsWatched(DWORD id) const;
    // Drops the opened processes that have ended.
    void DropEnded();

    quellix::WaitTarget m_target;
    bool m_watching = false;
    bool m_ended = false;
    std::list<Watched> m_opened;       // a list: handles that own are not moved
    std::vector<DWORD> m_unopenedIds;  // listed at the last snapshot, not opened
};
