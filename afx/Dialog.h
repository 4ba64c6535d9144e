// CDialog: a modal dialog from a template. The dialog window is subclassed at
// WM_INITDIALOG, so its messages reach the message table like any CWnd's and
// Default() hands them to the system's dialog procedure.
#pragma once
#include "afx/DataExchange.h"
#include "afx/Wnd.h"

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = NULL);

    INT_PTR DoModal();
    void EndDialog(int nResult);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();

protected:
    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;

private:
    friend INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
