#include "controls/AboutDlg.h"

#include "controls/ControlFont.h"
#include "controls/Dpi.h"
#include "resource.h"

namespace {
const int kFontControls[] = {IDC_ABOUT_VERSION, IDC_ABOUT_COPYRIGHT, IDOK, IDC_MAIL_LINK};
}  // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_MAIL_LINK, m_link);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const UINT dpi = quellix::WindowDpi(m_hWnd);
    quellix::ApplyControlFont(m_hWnd, kFontControls, m_font, dpi);
    m_icon.Fit(m_hWnd, IDI_DIALOG_ICON, dpi);
    return TRUE;
}

// Moved to a monitor of another resolution: the system lays the box out
// anew, and its font and icon follow.
LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_DPICHANGED) {
        const UINT dpi = quellix::TakeDpiChange(m_hWnd, wParam, lParam);
        quellix::ApplyControlFont(m_hWnd, kFontControls, m_font, dpi);
        m_icon.Fit(m_hWnd, IDI_DIALOG_ICON, dpi);
    }
    return result;
}
