#include "controls/ControlFont.h"

#include "controls/dpi_scale.h"

namespace quellix {

BOOL CreateControlFont(CFont& font, int height)
{
    LOGFONTA lf = {};
    lf.lfHeight = height;
    lstrcpynA(lf.lfFaceName, "Tahoma", LF_FACESIZE);
    return font.CreateFontIndirect(&lf);
}

BOOL ApplyControlFont(HWND hDlg, const int* ids, size_t count, CFont& font, UINT dpi)
{
    RECT baseUnits = {0, 0, 4, 8};  // one base unit across, in pixels
    ::MapDialogRect(hDlg, &baseUnits);
    CFont fresh;
    if (!CreateControlFont(fresh, DialogFontHeight(dpi, baseUnits.right)))
        return FALSE;
    // A dialog not shown yet draws its controls once it shows: no redraw now.
    const LPARAM redraw = ::IsWindowVisible(hDlg);
    for (size_t i = 0; i < count; ++i)
        ::SendDlgItemMessageA(hDlg, ids[i], WM_SETFONT, reinterpret_cast<WPARAM>(fresh.GetSafeHandle()), redraw);
    font.DeleteObject();
    font.Attach(fresh.Detach());
    return TRUE;
}

}  // namespace quellix
