#include "tests/e2e/driver/WineLog.h"

#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Registry.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace e2e {

const char kSleepCallsDebug[] = "WINEDEBUG=+pid,warn+ntdll,+relay";

bool RelayWakeTimerCalls()
{
    RegistryKey debug("Software\\Wine\\Debug");
    return debug.SetString("RelayInclude", "KERNEL32.CreateWaitableTimerA;KERNEL32.SetWaitableTimer;"
                                           "KERNEL32.CancelWaitableTimer");
}

std::vector<std::string> WineLogLines(DWORD pid, const std::string& text)
{
    std::vector<std::string> lines;
    const char* log = std::getenv("QX_E2E_LOG");
    if (!log) {
        ADD_FAILURE() << "QX_E2E_LOG does not name the run's log (tools/run-e2e.sh sets it)";
        return lines;
    }
    HANDLE file = CreateFileA(WindowsPath(log).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot read " << log << ": " << LastErrorText();
        return lines;
    }
    std::string content;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, NULL) && read > 0)
        content.append(buffer, read);
    CloseHandle(file);

    char prefix[16];
    std::snprintf(prefix, sizeof prefix, "%04lx:", static_cast<unsigned long>(pid));
    std::istringstream in(content);
    for (std::string line; std::getline(in, line);) {
        if (line.rfind(prefix, 0) == 0 && line.find(text) != std::string::npos)
            lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> ExecutionStates(DWORD pid)
{
    std::vector<std::string> states;
    const std::string call = "NtSetThreadExecutionState (";
    for (const std::string& line : WineLogLines(pid, call)) {
        const size_t at = line.find(call) + call.size();
        states.push_back(line.substr(at, line.find(',', at) - at));
    }
    return states;
}

size_t RelayedCalls(DWORD pid, const std::string& name)
{
    return WineLogLines(pid, ":Call KERNEL32." + name + "(").size();
}

}  // namespace e2e
