// The font of the program's controls and popups: Tahoma, 13 pixels high at
// 96 DPI, scaled to the resolution of the window that shows it.
#pragma once
#include "afx/afxwin.h"

namespace quellix {

// Creates `font` (empty before) `height` pixels high; false if the system refused.
BOOL CreateControlFont(CFont& font, int height);

// Gives the controls `ids` of dialog `hDlg` the control font for `dpi` (and
// the dialog's layout, DialogFontHeight), kept in `font`; a font held there
// before is deleted once no control uses it. False (nothing changed) if the
// font could not be made.
template <size_t N> BOOL ApplyControlFont(HWND hDlg, const int (&ids)[N], CFont& font, UINT dpi);
BOOL ApplyControlFont(HWND hDlg, const int* ids, size_t count, CFont& font, UINT dpi);

template <size_t N> BOOL ApplyControlFont(HWND hDlg, const int (&ids)[N], CFont& font, UINT dpi)
{
    return ApplyControlFont(hDlg, ids, N, font, dpi);
}

}  // namespace quellix
