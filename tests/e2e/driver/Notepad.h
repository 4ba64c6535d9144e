// A notepad of the prefix for the "/waitfor" tests to wait for: started
// minimised without taking the focus, ended by the test or when it goes.
#pragma once
#include <windows.h>

namespace e2e {

class Notepad {
public:
    Notepad();
    ~Notepad();
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;
    bool Started() const { return m_started; }
    DWORD Id() const { return m_info.dwProcessId; }
    void End();

private:
    bool m_started = false;
    PROCESS_INFORMATION m_info = {};
};

}  // namespace e2e
