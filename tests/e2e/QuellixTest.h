// The fixture of every end-to-end test: a clean start (no copy of Quellix
// running, no stored settings, an empty request log) and the same clean-up
// after the test, whatever it left behind.
#pragma once
#include "tests/e2e/driver/Menus.h"
#include "tests/e2e/driver/MessageBoxes.h"
#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Quellix.h"
#include "tests/e2e/driver/Registry.h"
#include "tests/e2e/driver/Wait.h"
#include "tests/e2e/driver/Window.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

namespace e2e {

class QuellixTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Starts one more copy of the program (with the request log set, and
    // `arguments` on its command line) and keeps it, to be killed after the
    // test if it still runs.
    Process& StartCopy(const std::string& arguments = "");
    // Starts the first copy and waits for its dialog; an empty Dialog, and a
    // test failure, if none shows.
    Dialog StartFirstCopy(const std::string& arguments = "");

    Process& FirstCopy() { return m_copies.front(); }
    std::vector<std::string> PowerRequests() const { return quellix::ReadRequestLog(m_requestLog); }

    RegistryKey m_settings{quellix::kSettingsKey};
    // For copies started from now on: the request that is to fail and its
    // error code ("ExitWindowsEx 5"), or empty for none (tests/e2e/seam/).
    std::string m_failingRequest;
    // Further "NAME=value" entries for the environment of copies started from now on.
    std::vector<std::string> m_environment;
    // Creation flags of copies started from now on (DETACHED_PROCESS: no
    // console to speak to, as when started from Explorer or a shortcut).
    DWORD m_startFlags = 0;

private:
    std::deque<Process> m_copies;
    std::string m_requestLog;
};

}  // namespace e2e
