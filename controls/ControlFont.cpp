#include "controls/ControlFont.h"

#include "controls/dpi_scale.h"

namespace quellix {

BOOL CreateControlFont(CFont& font, UINT dpi)
{
    LOGFONTA lf = {};
    lf.lfHeight = ControlFontHeight(dpi);
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    return font.CreateFontIndirect(&lf);
}

BOOL ApplyControlFont(HWND hDlg, const int* ids, size_t count, CFont& font, UINT dpi)
{
    CFont fresh;
    if (!CreateControlFont(fresh, dpi))
        return FALSE;
    // A dialog not shown yet draws its controls once it shows: no redraw now.
    const LPARAM redraw = ::IsWindowVisible(hDlg);
    for (size_t i = 0; i < count; ++i)
        ::SendDlgItemMessageA(hDlg, ids[i], WM_SETFONT, reinterpret_cast<WPARAM>(fresh.m_hObject), redraw);
    font.DeleteObject();
    font.Attach(fresh.Detach());
    return TRUE;
}

}  // namespace quellix
