#include "controls/Banner.h"

#include "controls/PictureStatic.h"
#include "controls/dpi_scale.h"

namespace quellix {

namespace {
// A copy of `source` at width x height, resampled with halftone filtering
// (averaging the pixels each target pixel covers), not by dropping pixels.
HBITMAP StretchHalftone(HBITMAP source, const BITMAP& from, int width, int height)
{
    CScreenDC screen;
    CMemoryDC src(&screen);
    CMemoryDC dst(&screen);
    // 24 bits: no alpha channel that the themed static control could act on.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = NULL;
    HBITMAP target = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    if (src.m_hDC && dst.m_hDC && target) {
        CSelection selectSource(src, source);
        CSelection selectTarget(dst, target);
        ::SetStretchBltMode(dst, HALFTONE);
        ::SetBrushOrgEx(dst, 0, 0, NULL);  // required after choosing HALFTONE
        ::StretchBlt(dst, 0, 0, width, height, src, 0, 0, from.bmWidth, from.bmHeight, SRCCOPY);
    }
    return target;
}
}  // namespace

HWND FindBannerStatic(HWND hDlg) { return FindPictureStatic(hDlg, SS_BITMAP); }

BOOL FitBanner(HWND hStatic, UINT nIDBitmap, UINT dpi, CBitmap& scaled)
{
    if (!hStatic)
        return FALSE;
    CBitmap source;
    if (!source.LoadBitmap(nIDBitmap))
        return FALSE;
    BITMAP bm = {};
    if (!source.GetBitmap(&bm) || bm.bmWidth <= 0)
        return FALSE;

    HBITMAP shown;
    if (dpi == kDefaultDpi) {
        shown = static_cast<HBITMAP>(source.Detach());
    } else {
        RECT client = {};
        ::GetClientRect(::GetParent(hStatic), &client);
        const int width = client.right - client.left;
        const int height = ::MulDiv(bm.bmHeight, width, bm.bmWidth);
        shown = StretchHalftone(static_cast<HBITMAP>(source.GetSafeHandle()), bm, width, height);
    }
    if (!shown)
        return FALSE;
    // The control does not delete the pictures it is given: the one it showed
    // before is either ours (deleted by Attach) or the template's.
    ::SendMessageA(hStatic, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(shown));
    scaled.Attach(shown);
    return TRUE;
}

}  // namespace quellix
