#include "tests/e2e/driver/AbsentTray.h"

namespace e2e {

namespace {
const char kTrayClass[] = "Shell_TrayWnd";
}  // namespace

AbsentTray::AbsentTray()
{
    m_ready = CreateEventA(NULL, TRUE, FALSE, NULL);
    m_thread = CreateThread(NULL, 0, &AbsentTray::Run, this, 0, NULL);
    if (m_thread)
        WaitForSingleObject(m_ready, 5000);
}

AbsentTray::~AbsentTray()
{
    Leave();
    if (m_ready)
        CloseHandle(m_ready);
}

bool AbsentTray::InPlace() const { return m_window && FindWindowA(kTrayClass, NULL) == m_window; }

void AbsentTray::Leave()
{
    if (!m_thread)
        return;
    if (m_window)
        PostMessageA(m_window, WM_CLOSE, 0, 0);
    WaitForSingleObject(m_thread, 5000);
    CloseHandle(m_thread);
    m_thread = NULL;
}

// The window lives on a thread of its own, so that requests are answered
// while the test waits.
DWORD WINAPI AbsentTray::Run(LPVOID self)
{
    AbsentTray* tray = static_cast<AbsentTray*>(self);
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = &AbsentTray::Procedure;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.lpszClassName = kTrayClass;
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, kTrayClass, "", WS_POPUP, 0, 0, 1, 1, NULL, NULL,
                                  GetModuleHandleA(NULL), NULL);
    if (window) {
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(tray));
        // Above every other window of the class, never shown.
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    tray->m_window = window;
    SetEvent(tray->m_ready);
    MSG msg;
    while (window && GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
    tray->m_window = NULL;
    UnregisterClassA(kTrayClass, GetModuleHandleA(NULL));
    return 0;
}

LRESULT CALLBACK AbsentTray::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    AbsentTray* tray = reinterpret_cast<AbsentTray*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPYDATA:  // the shell's requests about icons
        if (tray)
            ++tray->m_refused;
        return FALSE;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace e2e
