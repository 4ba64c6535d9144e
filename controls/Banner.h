// The picture across the top of a dialog: a static control showing a bitmap,
// stretched to the dialog's width when the dialog is shown at a resolution
// other than the one the bitmap was drawn for (96 DPI).
#pragma once
#include "afx/afxwin.h"

namespace quellix {

// The dialog's first static control that shows a bitmap, or NULL.
HWND FindBannerStatic(HWND hDlg);

// Shows bitmap resource `nIDBitmap` in `hStatic` at `dpi`: as drawn at 96 DPI,
// else stretched (with halftone filtering) to the width of the dialog's client
// area, keeping its proportions. `scaled` keeps the picture the control shows
// and is replaced on each call.
BOOL FitBanner(HWND hStatic, UINT nIDBitmap, UINT dpi, CBitmap& scaled);

}  // namespace quellix
