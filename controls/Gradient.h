// CGradient: paints a rectangle with a multi-colour gradient of solid bands,
// through its own palette on palette-based displays when asked to.
#pragma once
#include "afx/afxwin.h"
#include "controls/gradient_bands.h"

class CGradient : public quellix::GradientBands {
public:
    CGradient() = default;
    ~CGradient() override = default;

    // Paints the slice [nFrom, nTo) of the gradient into rect (nTo -1: to the far edge).
    virtual void Draw(CDC* pDC, const CRect& rect, int nFrom, int nTo, int nPhase);

    // nCount colours follow as COLORREF arguments.
    void SetColors(int nCount, ...);
    CRect GetBandRect(const CRect& rect, int nFrom, int nTo) const;
    void CreateGradientPalette();
    void SetUsePalette(BOOL bUsePalette) { m_bUsePalette = bUsePalette; }

private:
    BOOL m_bUsePalette = FALSE;
    CPalette m_palette;
};
