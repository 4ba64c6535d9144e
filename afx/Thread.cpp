#include "afx/Thread.h"

#include <process.h>

namespace {
struct ThreadStart {
    CWinThread* pThread;
    AFX_THREADPROC pfnThreadProc;
    LPVOID pParam;
};

unsigned __stdcall ThreadEntry(void* pStart)
{
    ThreadStart start = *static_cast<ThreadStart*>(pStart);
    delete static_cast<ThreadStart*>(pStart);
    UINT result = start.pfnThreadProc(start.pParam);
    ::CloseHandle(start.pThread->m_hThread);
    delete start.pThread;
    return result;
}
}  // namespace

CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority, UINT nStackSize,
                           DWORD dwCreateFlags, LPSECURITY_ATTRIBUTES lpSecurityAttrs)
{
    CWinThread* pThread = new CWinThread;
    ThreadStart* pStart = new ThreadStart{pThread, pfnThreadProc, pParam};
    // Created suspended so that the object is complete before the thread can end and delete it.
    unsigned threadId = 0;  // Windows 9x creates no thread without a place for its id
    uintptr_t handle = _beginthreadex(lpSecurityAttrs, nStackSize, &ThreadEntry, pStart, CREATE_SUSPENDED, &threadId);
    if (!handle) {
        delete pStart;
        delete pThread;
        return NULL;
    }
    pThread->m_hThread = reinterpret_cast<HANDLE>(handle);
    ::SetThreadPriority(pThread->m_hThread, nPriority);
    if (!(dwCreateFlags & CREATE_SUSPENDED))
        ::ResumeThread(pThread->m_hThread);
    return pThread;
}
