#include "controls/Gradient.h"

#include <cstdarg>
#include <vector>

using namespace quellix;

namespace {
CRect ToCRect(const BandRect& r) { return CRect(r.left, r.top, r.right, r.bottom); }
}  // namespace

void CGradient::SetColors(int nCount, ...)
{
    std::vector<uint32_t> colors;
    va_list args;
    va_start(args, nCount);
    for (int i = 0; i < nCount; ++i)
        colors.push_back(va_arg(args, COLORREF));
    va_end(args);
    SetColorList(colors);
    m_palette.DeleteObject();  // rebuilt from the new stops when next needed
}

CRect CGradient::GetBandRect(const CRect& rect, int nFrom, int nTo) const
{
    return ToCRect(GradientBands::GetBandRect(afx::ToRect32(rect), nFrom, nTo));
}

void CGradient::CreateGradientPalette()
{
    if (!m_bUsePalette || m_palette.GetSafeHandle())
        return;
    ColorBandArray bands;
    CalcSegmentBands(bands, kPaletteBands, 0, kPaletteBands, kPaletteBands);
    if (bands.empty())
        return;
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + bands.size() * sizeof(PALETTEENTRY));
    LOGPALETTE* pLogPalette = reinterpret_cast<LOGPALETTE*>(storage.data());
    pLogPalette->palVersion = 0x300;
    pLogPalette->palNumEntries = static_cast<WORD>(bands.size());
    for (size_t i = 0; i < bands.size(); ++i) {
        PALETTEENTRY& entry = pLogPalette->palPalEntry[i];
        entry.peRed = GetRValue(bands[i].color);
        entry.peGreen = GetGValue(bands[i].color);
        entry.peBlue = GetBValue(bands[i].color);
        entry.peFlags = 0;
    }
    m_palette.CreatePalette(pLogPalette);
}

void CGradient::Draw(CDC* pDC, const CRect& rect, int nFrom, int nTo, int nPhase)
{
    bool paletteDisplay = (pDC->GetDeviceCaps(RASTERCAPS) & RC_PALETTE) != 0;
    int depth = pDC->GetDeviceCaps(BITSPIXEL) * pDC->GetDeviceCaps(PLANES);
    DrawPlan plan = PlanDraw(afx::ToRect32(rect), nFrom, nTo, nPhase, paletteDisplay, depth);
    if (plan.solidFill) {
        CRect solid = ToCRect(plan.solidRect);
        pDC->FillSolidRect(&solid, plan.solidColor);
        return;
    }

    HPALETTE hOldPalette = NULL;
    bool paletteSelected = false;
    if (paletteDisplay && m_bUsePalette) {
        CreateGradientPalette();
        if (m_palette.GetSafeHandle()) {
            hOldPalette = pDC->SelectPalette(m_palette, FALSE);
            pDC->RealizePalette();
            paletteSelected = true;
        }
    }

    int pos = nFrom;
    for (const ColorBand& band : plan.bands) {
        int stop = pos + band.width;
        CRect r = GetBandRect(rect, pos, stop);
        if (paletteDisplay) {
            CBrush brush(paletteSelected ? PaletteRelative(band.color) : band.color);
            pDC->FillRect(&r, brush);
        } else {
            pDC->FillSolidRect(&r, band.color);
        }
        pos = stop;
    }

    if (paletteSelected)
        pDC->SelectPalette(hOldPalette, TRUE);
}
