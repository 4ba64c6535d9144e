#include "afx/Dialog.h"

#include "afx/App.h"

#include <cstring>
#include <vector>

namespace {
// A copy of a dialog template. A system-modal dialog must stay above all other
// windows; not every dialog manager gives it the top-most style, so the copy
// asks for it.
std::vector<BYTE> LoadDialogTemplate(UINT nIDTemplate)
{
    HINSTANCE hInstance = ::GetModuleHandleA(NULL);
    HRSRC hResource = ::FindResourceA(hInstance, MAKEINTRESOURCEA(nIDTemplate), MAKEINTRESOURCEA(5));  // RT_DIALOG
    HGLOBAL hLoaded = hResource ? ::LoadResource(hInstance, hResource) : NULL;
    const BYTE* pData = hLoaded ? static_cast<const BYTE*>(::LockResource(hLoaded)) : NULL;
    DWORD size = hResource ? ::SizeofResource(hInstance, hResource) : 0;
    if (!pData || size < 16)
        return std::vector<BYTE>();
    std::vector<BYTE> copy(pData, pData + size);
    bool extended = copy[2] == 0xFF && copy[3] == 0xFF;  // DLGTEMPLATEEX: version, 0xFFFF, help id, ex-style, style
    size_t styleAt = extended ? 12 : 0;
    size_t exStyleAt = extended ? 8 : 4;
    DWORD style, exStyle;
    std::memcpy(&style, &copy[styleAt], sizeof style);
    std::memcpy(&exStyle, &copy[exStyleAt], sizeof exStyle);
    if (style & DS_SYSMODAL) {
        exStyle |= WS_EX_TOPMOST;
        std::memcpy(&copy[exStyleAt], &exStyle, sizeof exStyle);
    }
    return copy;
}
}  // namespace

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
    std::vector<BYTE> dialogTemplate = LoadDialogTemplate(m_nIDTemplate);
    if (dialogTemplate.empty())
        return -1;
    return ::DialogBoxIndirectParamA(::GetModuleHandleA(NULL), reinterpret_cast<LPCDLGTEMPLATEA>(dialogTemplate.data()),
                                     hOwner, AfxDlgProc, reinterpret_cast<LPARAM>(this));
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
