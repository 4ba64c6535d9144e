// The program's icon in a dialog: a static control showing an icon resource.
// The template's icon is the one for 96 DPI; at any other resolution the
// icon is loaded anew at the size that resolution asks for, from an image
// drawn for it, rather than shown as the 32-pixel picture stretched.
#pragma once
#include <windows.h>

#include "afx/OwnedHandle.h"

namespace quellix {

class CDialogIcon {
public:
    // Shows icon `nIDIcon` at `dpi` in the dialog's first static control that
    // shows an icon. The icon it loads is kept, and replaced on each call.
    void Fit(HWND hDlg, UINT nIDIcon, UINT dpi);

private:
    COwnedHandle<HICON, ::DestroyIcon> m_icon;
};

}  // namespace quellix
