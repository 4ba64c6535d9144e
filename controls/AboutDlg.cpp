#include "controls/AboutDlg.h"

#include "resource.h"

namespace {
const int kFontHeight = 13;
const char kFontFace[] = "Tahoma";
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
    LOGFONTA lf = {};
    lf.lfHeight = kFontHeight;
    lstrcpynA(lf.lfFaceName, kFontFace, LF_FACESIZE);
    if (!m_font.CreateFontIndirect(&lf))
        return TRUE;
    for (int id : kFontControls)
        SendDlgItemMessage(id, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.m_hObject), TRUE);
    return TRUE;
}
