// CAboutDlg: the modal About box with the program's version and mail link.
#pragma once
#include "afx/afxwin.h"
#include "controls/DialogIcon.h"
#include "controls/HyperLink.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CHyperLink m_link;
    CFont m_font;
    quellix::CDialogIcon m_icon;
};
