// What this Wine writes of a process's calls to the test run's log: the
// programs started by the tests inherit its standard error, where Wine's
// debug channels write. tools/run-e2e.sh names the file in QX_E2E_LOG.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// The environment that makes a copy log its keep-awake requests
// (warn+ntdll: "NtSetThreadExecutionState (0x80000001, ...)") and its wake
// timer's calls (+relay of the functions RelayWakeTimerCalls names), each line
// led by the process id.
extern const char kSleepCallsDebug[];

// Limits Wine's relay log to the waitable-timer calls, for the prefix's
// programs started from now on.
bool RelayWakeTimerCalls();

// The log's lines of process `pid` that contain `text`, in order; empty, and a
// failure, where the log cannot be read.
std::vector<std::string> WineLogLines(DWORD pid, const std::string& text);

// The states a process asked for through SetThreadExecutionState, in order
// ("0x80000001"), and how many of its calls `name` the relay log shows.
std::vector<std::string> ExecutionStates(DWORD pid);
size_t RelayedCalls(DWORD pid, const std::string& name);

}  // namespace e2e
