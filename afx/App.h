// CWinApp: the one application object. The entry point (in App.cpp) runs its
// InitInstance and then ends the program: a dialog program's whole life is
// its modal dialog, so there is no message loop of the application's own.
#pragma once
#include <windows.h>

#include "afx/String.h"

class CWnd;

class CWinApp {
public:
    explicit CWinApp(const char* pszAppName = NULL);
    virtual ~CWinApp();

    virtual BOOL InitInstance() { return FALSE; }
    virtual int ExitInstance() { return 0; }

    HICON LoadIcon(UINT nIDResource) const;
    // Message boxes of the framework itself, titled with the application's name.
    int DoMessageBox(const char* prompt, UINT nType);

    HINSTANCE m_hInstance = NULL;
    CString m_strAppName;  // the executable's file name without path and extension unless given
    CWnd* m_pMainWnd = NULL;

private:
    friend int AfxRunApplication(HINSTANCE hInstance);
};

CWinApp* AfxGetApp();
int AfxMessageBox(const char* prompt, UINT nType = MB_OK);
