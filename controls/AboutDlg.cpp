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
    quellix::ApplyControlFont(m_hWnd, kFontControls, m_font, quellix::WindowDpi(m_hWnd));
    return TRUE;
}

// Moved to a monitor of another resolution: the system lays the box out
// anew, and its font follows.
LRESULT CAboutDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = CDialog::WindowProc(message, wParam, lParam);
    if (message == WM_DPICHANGED) {
        const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
        ::SetWindowPos(m_hWnd, NULL, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        quellix::ApplyControlFont(m_hWnd, kFontControls, m_font, HIWORD(wParam));
    }
    return result;
}
