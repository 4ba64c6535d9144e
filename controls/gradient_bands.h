// Band arithmetic of the gradient painter: a multi-colour linear gradient is
// cut into solid bands (colour, width) along one axis. The Win32 painter
// derives from this class and adds the device context, brushes and palette.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "afx/rect32.h"

namespace quellix {

struct ColorBand {
    uint32_t color = 0;  // COLORREF, 0x00BBGGRR
    int32_t width = 0;   // pixels along the axis; may be 0
};
using ColorBandArray = std::vector<ColorBand>;

using BandRect = afx::Rect32;

// Band colours drawn through a selected palette carry the palette-relative flag.
uint32_t PaletteRelative(uint32_t color);

class GradientBands {
public:
    // Palette-based displays get at most this many bands for the whole gradient.
    static constexpr unsigned kPaletteBands = 236;
    static constexpr unsigned kNoBandLimit = 0xFFFFFFFFu;

    virtual ~GradientBands() = default;

    // Appends the bands of the slice [nFrom, nTo) of a gradient nTotal pixels
    // long, cyclically shifted by nPhase pixels. nTo == -1: up to nTotal.
    virtual void CalcBands(ColorBandArray& bands, int nPhase, int nTotal, int nFrom, int nTo, unsigned nMaxBands) const;
    // The same without a shift, across all colour stops.
    virtual void CalcSegmentBands(ColorBandArray& bands, int nTotal, int nFrom, int nTo, unsigned nMaxBands) const;
    // The slice [nFrom, nTo) of a two-colour gradient nLength pixels long.
    virtual void CalcPairBands(ColorBandArray& bands, uint32_t crFrom, uint32_t crTo, int nLength, int nFrom, int nTo,
                               unsigned nMaxBands) const;

    // Stores the stops and resets the segment shares to equal parts.
    void SetColorList(const std::vector<uint32_t>& colors);
    const std::vector<uint32_t>& Colors() const { return m_arrColors; }

    // 0: first stop at the left, 1: at the right, 2: at the top, 3: at the
    // bottom; any other value behaves as 0.
    void SetDirection(int direction) { m_nDirection = direction; }
    int Direction() const { return m_nDirection; }

    // Gradient length as a multiple of the rectangle's extent along the axis.
    void SetLengthFactor(float factor) { m_fLengthFactor = factor; }
    float LengthFactor() const { return m_fLengthFactor; }

    // Percentage of the gradient's length taken by one segment; segments that
    // do not exist are ignored.
    void SetShare(size_t segment, double percent);

    // The part of rect between positions nFrom and nTo along the axis
    // (nTo == -1: up to the far edge).
    BandRect GetBandRect(const BandRect& rect, int nFrom, int nTo) const;

    // What Draw does, decided without a device: the low-colour fallback (one
    // solid fill in the first stop's colour) or a list of bands laid out from
    // nFrom on.
    struct DrawPlan {
        bool solidFill = false;
        uint32_t solidColor = 0;
        BandRect solidRect;
        ColorBandArray bands;
        unsigned maxBands = 0;
    };
    DrawPlan PlanDraw(const BandRect& rect, int nFrom, int nTo, int nPhase, bool paletteDisplay,
                      int bitsTimesPlanes) const;

protected:
    std::vector<uint32_t> m_arrColors;
    std::vector<double> m_arrShares;
    int m_nDirection = 0;
    float m_fLengthFactor = 1.0f;
};

}  // namespace quellix
