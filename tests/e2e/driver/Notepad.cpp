#include "tests/e2e/driver/Notepad.h"

namespace e2e {

Notepad::Notepad()
{
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINNOACTIVE;
    char line[] = "notepad.exe";
    m_started = CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &m_info) != FALSE;
    if (m_started)
        WaitForInputIdle(m_info.hProcess, 5000);
}

Notepad::~Notepad()
{
    End();
    if (m_started) {
        CloseHandle(m_info.hThread);
        CloseHandle(m_info.hProcess);
    }
}

void Notepad::End()
{
    if (m_started && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(m_info.hProcess, 0);
        WaitForSingleObject(m_info.hProcess, 5000);
    }
}

}  // namespace e2e
