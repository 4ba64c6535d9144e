// A process stopped, as a debugger stops it, on entering one system function,
// so that a test can act inside a window of the program that is otherwise too
// short to hit, and then let it go on.
#pragma once
#include "tests/e2e/driver/Process.h"

#include <windows.h>
#include <string>

namespace e2e {

class HeldAtCall {
public:
    // Starts `exe` under this thread's debugging and runs it until it first
    // enters `function` of `module` (system DLLs lie at the same address in
    // every process, so this program's address of it is the other's too).
    // Not Held() when that did not happen within `timeoutMs`; `Error()` says why.
    HeldAtCall(const std::string& exe, const char* module, const char* function, DWORD timeoutMs);
    ~HeldAtCall();
    HeldAtCall(const HeldAtCall&) = delete;
    HeldAtCall& operator=(const HeldAtCall&) = delete;

    bool Held() const { return m_heldThread != 0; }
    const std::string& Error() const { return m_error; }
    Process& Copy() { return m_process; }
    // Lets the process go on from the start of the function, no longer debugged.
    // Must be called from the thread that started it.
    bool Release();

private:
    bool Arm();

    Process m_process;
    void* m_target = nullptr;
    BYTE m_original = 0;
    bool m_armed = false;
    DWORD m_heldThread = 0;
    bool m_debugging = false;
    std::string m_error;
};

}  // namespace e2e
