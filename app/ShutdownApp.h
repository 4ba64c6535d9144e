// CShutdownApp: the application object. The first copy on a desktop runs the
// main dialog; a later copy wakes the first one and ends.
#pragma once
#include "afx/afxwin.h"

class CShutdownApp : public CWinApp {
public:
    CShutdownApp() = default;
    BOOL InitInstance() override;
};

extern CShutdownApp theApp;
