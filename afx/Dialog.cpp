#include "afx/Dialog.h"

#include "afx/App.h"

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return FALSE;  // everything else has been through AfxWndProc already
    CDialog* pDlg = reinterpret_cast<CDialog*>(lParam);
    pDlg->SubclassWindow(hWnd);
    try {
        return pDlg->OnInitDialog();
    } catch (...) {
        return TRUE;
    }
}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd) {}

INT_PTR CDialog::DoModal()
{
    // Without a parent, a dialog is owned by the program's main window (if that is not itself).
    HWND hOwner = m_pParentWnd ? m_pParentWnd->m_hWnd : NULL;
    CWnd* pMain = AfxGetApp() ? AfxGetApp()->m_pMainWnd : NULL;
    if (!hOwner && pMain && pMain != this)
        hOwner = pMain->m_hWnd;
    return ::DialogBoxParamA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(m_nIDTemplate), hOwner, AfxDlgProc,
                             reinterpret_cast<LPARAM>(this));
}

void CDialog::EndDialog(int nResult) { ::EndDialog(m_hWnd, nResult); }

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }
