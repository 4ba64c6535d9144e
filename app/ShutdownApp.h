// CShutdownApp: the application object. The first copy on a desktop runs the
// main dialog; a later copy wakes the first one and ends.
#pragma once
#include "afx/afxwin.h"

class CShutdownApp : public CWinApp {
public:
    CShutdownApp() = default;
    BOOL InitInstance() override;
    int ExitInstance() override { return m_nExitStatus; }

    // The process's exit status, for a script that waits (quellix::ExitStatus).
    int m_nExitStatus = 0;
};

extern CShutdownApp theApp;
