#include "controls/DialogIcon.h"

#include "controls/PictureStatic.h"
#include "controls/dpi_scale.h"

namespace quellix {

void CDialogIcon::Fit(HWND hDlg, UINT nIDIcon, UINT dpi)
{
    // At 96 DPI the template's icon is already the right picture.
    if (dpi == kDefaultDpi && !m_icon.GetSafeHandle())
        return;
    const HWND hStatic = FindPictureStatic(hDlg, SS_ICON);
    if (!hStatic)
        return;
    const int size = ScaleForDpi(32, dpi);
    HICON hIcon = static_cast<HICON>(
        ::LoadImageA(::GetModuleHandleA(NULL), MAKEINTRESOURCEA(nIDIcon), IMAGE_ICON, size, size, 0));
    if (!hIcon)
        return;  // the template's icon stays
    ::SendMessageA(hStatic, STM_SETICON, reinterpret_cast<WPARAM>(hIcon), 0);
    m_icon.Attach(hIcon);  // frees the icon shown before
}

}  // namespace quellix
