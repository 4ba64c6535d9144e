// Worker threads started the framework's way.
#pragma once
#include <windows.h>

typedef UINT(__cdecl* AFX_THREADPROC)(LPVOID);

// The object deletes itself, and closes its handle, when the thread ends.
class CWinThread {
public:
    HANDLE m_hThread = NULL;
};

// Starts pfnThreadProc(pParam). Returns the thread object, or NULL on failure.
CWinThread* AfxBeginThread(AFX_THREADPROC pfnThreadProc, LPVOID pParam, int nPriority = THREAD_PRIORITY_NORMAL,
                           UINT nStackSize = 0, DWORD dwCreateFlags = 0, LPSECURITY_ATTRIBUTES lpSecurityAttrs = NULL);
