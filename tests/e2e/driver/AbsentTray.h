// A notification area that is not there yet, as right after log-on or with no
// shell running: a hidden window of the shell's tray class, owned by the test
// and placed where Shell_NotifyIcon finds it before the real one, refuses
// every request. While it lives, no program of this desktop can add an icon.
#pragma once
#include <windows.h>

#include <atomic>

namespace e2e {

class AbsentTray {
public:
    AbsentTray();
    ~AbsentTray();
    AbsentTray(const AbsentTray&) = delete;
    AbsentTray& operator=(const AbsentTray&) = delete;

    // True when the shell's own lookup (the first window of the tray class)
    // finds this one.
    bool InPlace() const;
    // The requests refused so far.
    int Refused() const { return m_refused; }
    // Goes away, leaving the real notification area to be found.
    void Leave();

private:
    static DWORD WINAPI Run(LPVOID self);
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HANDLE m_thread = NULL;
    HANDLE m_ready = NULL;
    std::atomic<HWND> m_window{NULL};
    std::atomic<int> m_refused{0};
};

}  // namespace e2e
