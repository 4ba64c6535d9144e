#include "app/ShutdownApp.h"

#include "app/single_instance.h"
#include "dialog/ShutdownDlg.h"

CShutdownApp theApp;

namespace {
// Lets the running copy take the foreground. AllowSetForegroundWindow exists
// from Windows 98 and 2000 on, so it is looked up; Windows 95 and NT 4.0 have
// no foreground lock to lift.
void AllowAnyProcessToTakeForeground()
{
    typedef BOOL(WINAPI * AllowFn)(DWORD);
    HMODULE user32 = ::GetModuleHandleA("user32");
    AllowFn allow = user32 ? reinterpret_cast<AllowFn>(::GetProcAddress(user32, "AllowSetForegroundWindow")) : NULL;
    if (allow)
        allow(ASFW_ANY);
}

// A later copy: let the running one come to the front, wake it once, end.
void WakeFirstCopy(HANDLE hSemaphore)
{
    AllowAnyProcessToTakeForeground();
    ::ReleaseSemaphore(hSemaphore, 1, NULL);
    ::CloseHandle(hSemaphore);
}
}  // namespace

BOOL CShutdownApp::InitInstance()
{
    // Creating the semaphore decides, in one step, which copy is the first:
    // asking first whether it exists would let two copies started together
    // both see none and both run.
    ::SetLastError(0);  // not every system clears it when it creates the object
    HANDLE hSemaphore = ::CreateSemaphoreA(NULL, 0, quellix::kSingleInstanceMaxCount, quellix::kSingleInstanceName);
    if (hSemaphore && ::GetLastError() == ERROR_ALREADY_EXISTS) {
        WakeFirstCopy(hSemaphore);
        return FALSE;
    }
    // A NULL handle only means that no later copy can reach this one.

    AfxEnableControlContainer();
    ::InitCommonControls();
    Enable3dControlsStatic();

    {
        CShutdownDlg dlg(hSemaphore);
        m_pMainWnd = &dlg;
        dlg.DoModal();
        if (hSemaphore)
            ::CloseHandle(hSemaphore);
        m_pMainWnd = NULL;
    }
    return FALSE;
}
