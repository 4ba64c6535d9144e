#include "app/ShutdownApp.h"

#include "app/single_instance.h"
#include "dialog/ShutdownDlg.h"

CShutdownApp theApp;

BOOL CShutdownApp::InitInstance()
{
    HANDLE hSemaphore = ::OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, quellix::kSingleInstanceName);
    if (hSemaphore) {
        // A later copy: let the running one come to the front, wake it once, end.
        ::AllowSetForegroundWindow(ASFW_ANY);
        ::ReleaseSemaphore(hSemaphore, 1, NULL);
        ::CloseHandle(hSemaphore);
        return FALSE;
    }
    hSemaphore = ::CreateSemaphoreA(NULL, 0, quellix::kSingleInstanceMaxCount, quellix::kSingleInstanceName);

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
