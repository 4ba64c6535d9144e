// The watcher thread: each release of the semaphore by a later copy becomes
// one restore of the dialog. The restore touches state of the user-interface
// thread, so it is posted there as a message; the watcher itself touches
// nothing of the dialog but its window handle.
#include "dialog/ShutdownDlg.h"

UINT __cdecl WatchThreadProc(LPVOID pParam)
{
    CShutdownDlg* pDlg = static_cast<CShutdownDlg*>(pParam);
    HANDLE handles[2] = {pDlg->m_hWatcherStop, pDlg->m_hSemaphore};
    HWND hDialog = pDlg->m_hWnd;
    for (;;) {
        DWORD wait = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (wait == WAIT_OBJECT_0)
            return 0;  // the dialog is going: later wakes are dropped
        if (wait == WAIT_OBJECT_0 + 1)
            ::PostMessageA(hDialog, CShutdownDlg::WM_WATCHER_RESTORE, 0, 0);
        else
            ::Sleep(100);  // a failed wait: try again without touching the dialog
    }
}

void CShutdownDlg::StartWatcher()
{
    m_hWatcherStop = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    if (!m_hWatcherStop)
        return;
    CWinThread* pThread = AfxBeginThread(WatchThreadProc, this, THREAD_PRIORITY_NORMAL, 0, 0, NULL);
    // The thread cannot end before it is stopped, so its handle is still valid here.
    if (!pThread || !::DuplicateHandle(::GetCurrentProcess(), pThread->m_hThread, ::GetCurrentProcess(), &m_hWatcher,
                                       SYNCHRONIZE, FALSE, 0)) {
        m_hWatcher = NULL;
    }
}

void CShutdownDlg::StopWatcher()
{
    if (m_hWatcherStop) {
        ::SetEvent(m_hWatcherStop);
        if (m_hWatcher) {
            ::WaitForSingleObject(m_hWatcher, INFINITE);
            ::CloseHandle(m_hWatcher);
            m_hWatcher = NULL;
        }
        ::CloseHandle(m_hWatcherStop);
        m_hWatcherStop = NULL;
    }
}
