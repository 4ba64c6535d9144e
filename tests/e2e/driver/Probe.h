// Questions answered inside the program under test by InProcessProbe.dll
// (tests/e2e/probe), which the driver loads into it. Under Wine, menus, fonts
// and icons cannot be read from another process; on Windows they could, but
// the probe gives the same answers there.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

namespace e2e {

// Asks the probe in process `pid`; the answer's lines, or an empty list and a
// test failure when the probe could not be loaded or run.
std::vector<std::string> AskProbe(DWORD pid, const std::string& command, ULONG_PTR handle);

}  // namespace e2e
