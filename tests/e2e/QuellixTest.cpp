#include "tests/e2e/QuellixTest.h"

namespace e2e {

void QuellixTest::SetUp()
{
    const std::string exe = quellix::ExePath();
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA(exe.c_str()))
        << "the program under test is missing: " << exe << " (set QUELLIX_EXE to another one)";
    ASSERT_EQ(0, KillAllNamed(quellix::kExeName)) << "a copy of the program was left running before this test";
    ASSERT_TRUE(m_settings.Delete()) << "cannot delete HKCU\\" << quellix::kSettingsKey;

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    m_requestLog = std::string(temp) + "quellix-requests-" + std::to_string(GetCurrentProcessId()) + ".log";
    DeleteFileA(m_requestLog.c_str());
}

void QuellixTest::TearDown()
{
    for (Process& copy : m_copies)
        copy.Kill();
    m_copies.clear();
    KillAllNamed(quellix::kExeName);
    m_settings.Delete();
    if (!m_requestLog.empty())
        DeleteFileA(m_requestLog.c_str());
}

Process& QuellixTest::StartCopy(const std::string& arguments)
{
    std::string error;
    std::vector<std::string> environment{std::string(quellix::kRequestLogVariable) + "=" + m_requestLog};
    if (!m_failingRequest.empty())
        environment.push_back(std::string(quellix::kFailingRequestVariable) + "=" + m_failingRequest);
    environment.insert(environment.end(), m_environment.begin(), m_environment.end());
    StartOptions options;
    options.extraEnv = environment;
    options.flags = m_startFlags;
    m_copies.push_back(StartProcess(quellix::ExePath(), arguments, options, &error));
    EXPECT_TRUE(m_copies.back().Started()) << error;
    return m_copies.back();
}

Dialog QuellixTest::StartFirstCopy(const std::string& arguments)
{
    Process& copy = StartCopy(arguments);
    Dialog dialog = quellix::WaitForMainDialog(copy.Id(), kStartTimeout);
    if (!dialog) {
        ADD_FAILURE() << "no visible dialog \"" << quellix::kDialogCaption << "\" within " << kStartTimeout
                      << " ms of the start" << (copy.Running() ? "" : " (the process has ended)");
        return dialog;
    }
    // The dialog shows twice: once when it is created and again when its
    // modal loop first finds the queue empty. A test that hides or moves it
    // before the second show is undone by it, later the more loaded the
    // machine is: act only once the program has gone idle and answered.
    EXPECT_TRUE(copy.WaitForIdle(kStartTimeout)) << "the program never went idle";
    dialog.Send(WM_NULL);
    return dialog;
}

}  // namespace e2e
