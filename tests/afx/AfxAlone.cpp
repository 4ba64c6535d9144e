// The smallest program of the framework layer alone: built from every object
// of afx/ and the system's libraries, it links only while the framework needs
// nothing of the application. Run, it ends at once with status 0.
#include "afx/afxwin.h"
#include "afx/ddx_parse.h"

namespace {

class CAloneApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        int value = 0;
        m_nStatus = afx::ParseDialogInt(" 42 ", &value) && value == 42 ? 0 : 1;
        return FALSE;
    }
    int ExitInstance() override { return m_nStatus; }

private:
    int m_nStatus = 1;
};

CAloneApp theApp;

}  // namespace
