// Processes started by the tests: start, wait for the end, kill, and find the
// top-level windows a process owns.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace e2e {

class Process {
public:
    Process() = default;
    Process(HANDLE process, DWORD id) : m_process(process), m_id(id) {}
    Process(Process&& other) noexcept;
    Process& operator=(Process&& other) noexcept;
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;
    ~Process();  // kills the process if it still runs

    bool Started() const { return m_process != NULL; }
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process; }
    bool Running() const;
    bool WaitForExit(DWORD timeoutMs);
    // The exit status once it has ended; STILL_ACTIVE (259) while it runs.
    DWORD ExitCode() const;
    // Waits until the process's user-interface thread first waits for input
    // with nothing left in its queue (WaitForInputIdle).
    bool WaitForIdle(DWORD timeoutMs) const;
    // Terminates the process (if it runs) and waits until it is gone.
    void Kill();

private:
    HANDLE m_process = NULL;
    DWORD m_id = 0;
};

// Starts `exe` (a Windows path) with `arguments` after the quoted program
// name and `extraEnv` entries ("NAME=value") added to this process's
// environment. The result is not Started() on failure; `error` then says why.
Process StartProcess(const std::string& exe, const std::string& arguments = "",
                     const std::vector<std::string>& extraEnv = {}, std::string* error = nullptr);

// The same with more say in how it starts: creation `flags` (DETACHED_PROCESS:
// no console, as a start from Explorer or a shortcut), and standard output
// and error into the inheritable handles `stdOut` and `stdErr` when not NULL.
struct StartOptions {
    std::vector<std::string> extraEnv;
    DWORD flags = 0;
    HANDLE stdOut = NULL, stdErr = NULL;
};
Process StartProcess(const std::string& exe, const std::string& arguments, const StartOptions& options,
                     std::string* error = nullptr);

// Starts `count` copies of `exe` held at their first instruction, then lets
// them all go at once, so that their start-ups run side by side. Fewer are
// returned when a start fails; `error` then says why.
std::vector<Process> StartTogether(const std::string& exe, size_t count, const std::vector<std::string>& extraEnv = {},
                                   std::string* error = nullptr);

// Visible or not, every top-level window of the process `pid`.
std::vector<HWND> TopLevelWindows(DWORD pid);

// A DLL or the executable loaded in a process: where, and from which file.
struct LoadedModule {
    ULONG_PTR base = 0;  // 0: not loaded
    std::string path;
};
// The module named `name` (case-insensitive, without path) in process `pid`.
LoadedModule FindModule(DWORD pid, const std::string& name);

// Terminates every process whose executable file name is `exeName`
// (case-insensitive, without path) and waits for them to end. Returns how many.
int KillAllNamed(const std::string& exeName);

// Converts a Linux path ("/work/x") to the path a Windows program sees
// ("Z:\work\x"); other paths are returned unchanged.
std::string WindowsPath(const std::string& path);

// The directory of this test program, with a trailing backslash.
std::string OwnDirectory();
// The directory for temporary files, with a trailing backslash.
std::string TempDirectory();

std::string LastErrorText(DWORD error = GetLastError());

}  // namespace e2e
