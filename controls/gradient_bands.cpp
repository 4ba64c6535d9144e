#include "controls/gradient_bands.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace quellix {

namespace {

// Truncation toward zero, saturating instead of overflowing.
int Trunc(double v)
{
    if (!(v == v))
        return 0;
    if (v >= 2147483647.0)
        return INT_MAX;
    if (v <= -2147483648.0)
        return INT_MIN;
    return static_cast<int>(v);
}

// Pixel coordinates wrap like the 32-bit arithmetic of the platform.
int Add(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int Sub(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }

int Channel(uint32_t color, int shift) { return static_cast<int>((color >> shift) & 0xff); }

}  // namespace

uint32_t PaletteRelative(uint32_t color) { return color | 0x02000000u; }

void GradientBands::CalcPairBands(ColorBandArray& bands, uint32_t crFrom, uint32_t crTo, int nLength, int nFrom,
                                  int nTo, unsigned nMaxBands) const
{
    const int end = nTo == -1 ? nLength : nTo;
    const int r0 = Channel(crFrom, 0), g0 = Channel(crFrom, 8), b0 = Channel(crFrom, 16);
    const int dR = Channel(crTo, 0) - r0, dG = Channel(crTo, 8) - g0, dB = Channel(crTo, 16) - b0;

    // About one band per unit of the channel that changes most, but never
    // more bands than allowed or than there are pixels.
    unsigned n = static_cast<unsigned>(std::max({std::abs(dR), std::abs(dG), std::abs(dB)}));
    if (n >= nMaxBands)
        n = nMaxBands;
    if (static_cast<unsigned>(nLength) < n)
        n = static_cast<unsigned>(nLength);
    if (n == 0)
        n = 1;

    const float stepR = static_cast<float>(static_cast<double>(dR) / n);
    const float stepG = static_cast<float>(static_cast<double>(dG) / n);
    const float stepB = static_cast<float>(static_cast<double>(dB) / n);
    const float bandLen = static_cast<float>(static_cast<double>(nLength) / n);

    for (unsigned k = 0; k < n; ++k) {
        const double dk = k;
        int start = Trunc(dk * bandLen);
        int stop = k == n - 1 ? nLength : Trunc((dk + 1) * bandLen);
        if (stop < nFrom)
            continue;
        start = std::max(start, nFrom);
        stop = std::min(stop, end);
        // The last band stops one step short of crTo, which the next
        // segment's first band paints.
        const uint32_t red = static_cast<uint32_t>(r0 + Trunc(dk * stepR)) & 0xff;
        const uint32_t green = static_cast<uint32_t>(g0 + Trunc(dk * stepG)) & 0xff;
        const uint32_t blue = static_cast<uint32_t>(b0 + Trunc(dk * stepB)) & 0xff;
        bands.push_back({red | green << 8 | blue << 16, Sub(stop, start)});
        if (stop >= end)
            return;
    }
}

void GradientBands::CalcSegmentBands(ColorBandArray& bands, int nTotal, int nFrom, int nTo, unsigned nMaxBands) const
{
    const int end = nTo == -1 ? nTotal : nTo;
    if (m_arrColors.empty())
        return;
    const size_t segments = m_arrColors.size() - 1;
    if (segments == 0) {
        bands.push_back({m_arrColors[0], Sub(end, nFrom)});
        return;
    }
    const unsigned perSegment = static_cast<unsigned>(nMaxBands / segments);
    double cum = 0.0;
    int segStart = 0;
    for (size_t i = 0; i < segments; ++i) {
        cum += i < m_arrShares.size() ? m_arrShares[i] : 0.0;
        const int point = Trunc((nTotal * cum) * 0.01);
        // Rounding in the shares never shortens the gradient.
        const int segEnd = i + 1 == segments ? nTotal : point;
        if (segEnd >= nFrom) {
            const int clipEnd = std::min(segEnd, end);
            CalcPairBands(bands, m_arrColors[i], m_arrColors[i + 1], Sub(segEnd, segStart),
                          Sub(std::max(segStart, nFrom), segStart), Sub(clipEnd, segStart), perSegment);
            if (clipEnd == end)
                return;
        }
        segStart = point;
    }
}

void GradientBands::CalcBands(ColorBandArray& bands, int nPhase, int nTotal, int nFrom, int nTo,
                              unsigned nMaxBands) const
{
    if (nTotal != 0) {
        // The phase modulo the length, in [0, |nTotal|).
        const int64_t total = std::llabs(static_cast<int64_t>(nTotal));
        int64_t phase = static_cast<int64_t>(nPhase) % total;
        if (phase < 0)
            phase += total;
        nPhase = static_cast<int>(phase);
    }
    if (nTotal == 0 || nPhase == 0 || m_arrColors.size() < 2) {
        CalcSegmentBands(bands, nTotal, nFrom, nTo, nMaxBands);
        return;
    }
    const int end = nTo == -1 ? nTotal : nTo;

    ColorBandArray full;
    CalcSegmentBands(full, nTotal, 0, -1, nMaxBands);
    if (full.size() < 2) {
        bands.push_back({m_arrColors[0], Sub(end, nFrom)});
        return;
    }

    // Rotate: the last nPhase pixels move to the front, splitting a band
    // where the cut falls inside it.
    ColorBandArray moved;
    int acc = 0;
    while (!full.empty()) {
        ColorBand& last = full.back();
        if (Add(acc, last.width) > nPhase) {
            const int part = Sub(nPhase, acc);
            moved.insert(moved.begin(), ColorBand{last.color, part});
            last.width = Sub(last.width, part);
            break;
        }
        moved.insert(moved.begin(), last);
        acc = Add(acc, last.width);
        full.pop_back();
        if (acc == nPhase)
            break;
    }
    moved.insert(moved.end(), full.begin(), full.end());

    // Cut the slice out of the shifted gradient.
    int pos = 0;
    for (const ColorBand& band : moved) {
        const int stop = Add(pos, band.width);
        if (stop <= nFrom) {
            pos = stop;
            continue;
        }
        bands.push_back({band.color, Sub(std::min(stop, end), std::max(pos, nFrom))});
        pos = stop;
        if (stop >= end)
            return;
    }
}

void GradientBands::SetColorList(const std::vector<uint32_t>& colors)
{
    m_arrColors = colors;
    const size_t segments = colors.empty() ? 0 : colors.size() - 1;
    if (segments == 0) {
        std::vector<double>().swap(m_arrShares);
    } else {
        m_arrShares.assign(segments, 100.0 / static_cast<double>(segments));
    }
}

void GradientBands::SetShare(size_t segment, double percent)
{
    if (segment < m_arrShares.size())
        m_arrShares[segment] = percent;
}

BandRect GradientBands::GetBandRect(const BandRect& rect, int nFrom, int nTo) const
{
    BandRect r = rect;
    switch (m_nDirection) {
    case 2:
        if (nTo == -1)
            nTo = Sub(rect.bottom, rect.top);
        r.top = Add(rect.top, nFrom);
        r.bottom = Add(rect.top, nTo);
        break;
    case 3:
        if (nTo == -1)
            nTo = Sub(rect.bottom, rect.top);
        r.top = Sub(rect.bottom, nTo);
        r.bottom = Sub(rect.bottom, nFrom);
        break;
    case 1:
        if (nTo == -1)
            nTo = Sub(rect.right, rect.left);
        r.left = Sub(rect.right, nTo);
        r.right = Sub(rect.right, nFrom);
        break;
    default:
        if (nTo == -1)
            nTo = Sub(rect.right, rect.left);
        r.left = Add(rect.left, nFrom);
        r.right = Add(rect.left, nTo);
        break;
    }
    return r;
}

GradientBands::DrawPlan GradientBands::PlanDraw(const BandRect& rect, int nFrom, int nTo, int nPhase,
                                                bool paletteDisplay, int bitsTimesPlanes) const
{
    DrawPlan plan;
    if (!paletteDisplay && bitsTimesPlanes < 8) {
        // Too few colours for a gradient: one fill in the first colour.
        plan.solidFill = !m_arrColors.empty();
        if (plan.solidFill)
            plan.solidColor = m_arrColors[0];
        plan.solidRect = GetBandRect(rect, nFrom, nTo);
        return plan;
    }
    const bool vertical = m_nDirection == 2 || m_nDirection == 3;
    const int extent = vertical ? Sub(rect.bottom, rect.top) : Sub(rect.right, rect.left);
    const int end = nTo == -1 ? extent : nTo;
    const int total = Trunc(static_cast<double>(extent) * static_cast<double>(m_fLengthFactor));
    plan.maxBands = paletteDisplay ? kPaletteBands : kNoBandLimit;
    CalcBands(plan.bands, nPhase, total, nFrom, end, plan.maxBands);
    return plan;
}

}  // namespace quellix
