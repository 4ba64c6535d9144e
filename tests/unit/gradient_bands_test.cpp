#include "controls/gradient_bands.h"

#include "tray/reminder_text.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quellix {
namespace {

constexpr unsigned kNoLimit = 0xFFFFFFFFu;
const std::vector<uint32_t> kBlackWhite{0x000000, 0xffffff};
const std::vector<uint32_t> kBlueTriple{0xe89675, 0xffffff, 0xe18662};

GradientBands Painter(const std::vector<uint32_t>& colors, int direction = 0)
{
    GradientBands g;
    g.SetColorList(colors);
    g.SetDirection(direction);
    return g;
}

// One colour per pixel, bands laid end to end.
std::vector<uint32_t> Pixels(const ColorBandArray& bands)
{
    std::vector<uint32_t> px;
    for (const ColorBand& b : bands)
        px.insert(px.end(), b.width > 0 ? static_cast<size_t>(b.width) : 0u, b.color);
    return px;
}

int TotalWidth(const ColorBandArray& bands)
{
    int sum = 0;
    for (const ColorBand& b : bands)
        sum += b.width;
    return sum;
}

ColorBandArray Bands(const GradientBands& g, int phase, int total, int from, int to, unsigned max = kNoLimit)
{
    ColorBandArray bands;
    g.CalcBands(bands, phase, total, from, to, max);
    return bands;
}

TEST(GradientBands, BlackToWhiteBandCounts)
{
    const GradientBands g = Painter(kBlackWhite);
    // 100 px: one band per pixel; the step 255/100 rounds to float 2.5499999523.
    ColorBandArray b = Bands(g, 0, 100, 0, -1);
    ASSERT_EQ(b.size(), 100u);
    for (const ColorBand& band : b)
        EXPECT_EQ(band.width, 1);
    EXPECT_EQ(b[0].color, 0x000000u);
    EXPECT_EQ(b[1].color, 0x020202u);
    EXPECT_EQ(b[99].color, 0xfcfcfcu);  // white itself is never painted

    // 300 px: limited by the channel difference; bandLen 300/255 as float.
    b = Bands(g, 0, 300, 0, -1);
    ASSERT_EQ(b.size(), 255u);
    for (size_t k = 0; k < b.size(); ++k) {
        EXPECT_EQ(b[k].color, 0x010101u * k);
        EXPECT_TRUE(b[k].width == 1 || b[k].width == 2) << k;
    }
    EXPECT_EQ(TotalWidth(b), 300);

    // Palette display: 236 bands at most.
    const auto plan = g.PlanDraw({0, 0, 300, 20}, 0, -1, 0, true, 8);
    EXPECT_FALSE(plan.solidFill);
    EXPECT_EQ(plan.maxBands, 236u);
    ASSERT_EQ(plan.bands.size(), 236u);
    EXPECT_EQ(plan.bands.back().color, 0xfdfdfdu);
    EXPECT_EQ(TotalWidth(plan.bands), 300);
    EXPECT_EQ(g.PlanDraw({0, 0, 300, 20}, 0, -1, 0, false, 24).maxBands, kNoLimit);

    // Appends to what the list holds already.
    g.CalcBands(b, 0, 300, 0, -1, kNoLimit);
    EXPECT_EQ(b.size(), 510u);
}

TEST(GradientBands, PairWidthsAndSegmentBoundaries)
{
    const ColorBandArray red = Bands(Painter({0x000000, 0x000003}), 0, 100, 0, -1);
    ASSERT_EQ(red.size(), 3u);
    EXPECT_EQ(red[0].width, 33);
    EXPECT_EQ(red[1].width, 33);
    EXPECT_EQ(red[2].width, 34);
    EXPECT_EQ(red[0].color, 0u);
    EXPECT_EQ(red[1].color, 1u);
    EXPECT_EQ(red[2].color, 2u);

    const GradientBands g = Painter(kBlueTriple, 1);
    ColorBandArray b = Bands(g, 0, 200, 0, -1);
    ASSERT_EQ(b.size(), 200u);
    for (const ColorBand& band : b)
        EXPECT_EQ(band.width, 1);
    const std::vector<uint32_t> px = Pixels(b);
    EXPECT_EQ(px[0], 0xe89675u);
    EXPECT_NE(px[99], 0xffffffu);
    EXPECT_EQ(px[100], 0xffffffu);  // white first appears at the boundary

    EXPECT_EQ(Pixels(Bands(g, 0, 7, 0, -1)),
              (std::vector<uint32_t>{0xe89675, 0xefb9a3, 0xf7dcd1, 0xffffff, 0xf8e1d8, 0xf0c3b1, 0xe9a58a}));

    // 236 palette bands are split evenly: 118 per segment.
    b = Bands(g, 0, 300, 0, -1, 236);
    EXPECT_EQ(b.size(), 236u);
    EXPECT_EQ(Pixels(b).size(), 300u);

    // A share moves the boundary.
    GradientBands shared = Painter(kBlueTriple);
    shared.SetShare(0, 25.0);
    shared.SetShare(5, 10.0);  // no such segment
    const std::vector<uint32_t> spx = Pixels(Bands(shared, 0, 200, 0, -1));
    ASSERT_EQ(spx.size(), 200u);
    EXPECT_NE(spx[49], 0xffffffu);
    EXPECT_EQ(spx[50], 0xffffffu);
    // SetColorList restores equal shares.
    shared.SetColorList(kBlueTriple);
    EXPECT_EQ(Pixels(Bands(shared, 0, 200, 0, -1))[100], 0xffffffu);
}

TEST(GradientBands, PhaseSliceAndSingleStop)
{
    const GradientBands g = Painter(kBlackWhite);
    const std::vector<uint32_t> plain = Pixels(Bands(g, 0, 100, 0, -1));
    for (int phase : {30, -30, 130, 1, 99}) {
        const std::vector<uint32_t> shifted = Pixels(Bands(g, phase, 100, 0, -1));
        ASSERT_EQ(shifted.size(), 100u) << phase;
        for (int x = 0; x < 100; ++x)
            ASSERT_EQ(shifted[static_cast<size_t>(x)], plain[static_cast<size_t>(((x - phase) % 100 + 100) % 100)])
                << phase << " " << x;
    }
    EXPECT_EQ(Pixels(Bands(g, 30, 100, 0, -1))[0], 0xb2b2b2u);
    EXPECT_EQ(Pixels(Bands(g, -30, 100, 0, -1))[0], 0x4c4c4cu);
    // A phase splits a band on the sliced, shifted gradient as well.
    const std::vector<uint32_t> shiftedSlice = Pixels(Bands(g, 30, 100, 20, 60));
    ASSERT_EQ(shiftedSlice.size(), 40u);
    EXPECT_EQ(shiftedSlice[0], plain[90]);
    EXPECT_EQ(shiftedSlice[39], plain[29]);

    // Slice 20..60: the colours these positions have in the full gradient.
    const ColorBandArray slice = Bands(g, 0, 100, 20, 60);
    const std::vector<uint32_t> spx = Pixels(slice);
    EXPECT_EQ(TotalWidth(slice), 40);
    EXPECT_EQ(spx, std::vector<uint32_t>(plain.begin() + 20, plain.begin() + 60));
    EXPECT_EQ(spx.front(), 0x323232u);
    EXPECT_EQ(spx.back(), 0x969696u);

    const GradientBands one = Painter({0x123456});
    for (int phase : {0, 30}) {
        ColorBandArray b = Bands(one, phase, 100, 0, -1);
        ASSERT_EQ(b.size(), 1u);
        EXPECT_EQ(b[0].color, 0x123456u);
        EXPECT_EQ(b[0].width, 100);
        b = Bands(one, phase, 100, 20, 60);
        ASSERT_EQ(b.size(), 1u);
        EXPECT_EQ(b[0].width, 40);
    }
    EXPECT_TRUE(Bands(Painter({}), 30, 100, 0, -1).empty());
}

TEST(GradientBands, DrawPlanLengthFactorAndFallback)
{
    GradientBands g = Painter(kBlackWhite);
    const BandRect rect{10, 5, 110, 25};
    g.SetLengthFactor(0.5f);
    auto plan = g.PlanDraw(rect, 0, -1, 0, false, 32);
    EXPECT_EQ(TotalWidth(plan.bands), 50);
    g.SetLengthFactor(2.0f);
    plan = g.PlanDraw(rect, 0, -1, 0, false, 32);
    const std::vector<uint32_t> longer = Pixels(Bands(g, 0, 200, 0, -1));
    EXPECT_EQ(Pixels(plan.bands), std::vector<uint32_t>(longer.begin(), longer.begin() + 100));
    g.SetLengthFactor(1.0f);
    g.SetDirection(2);  // the extent is the height
    EXPECT_EQ(TotalWidth(g.PlanDraw(rect, 0, -1, 0, false, 16).bands), 20);

    // Fewer than 8 bits without a palette: one fill in the first colour.
    g.SetDirection(0);
    plan = g.PlanDraw(rect, 20, 60, 0, false, 4);
    EXPECT_TRUE(plan.solidFill);
    EXPECT_EQ(plan.solidColor, 0u);
    EXPECT_TRUE(plan.bands.empty());
    EXPECT_EQ(plan.solidRect.left, 30);
    EXPECT_EQ(plan.solidRect.right, 70);
    EXPECT_FALSE(g.PlanDraw(rect, 0, -1, 0, true, 4).solidFill);
    EXPECT_FALSE(Painter({}).PlanDraw(rect, 0, -1, 0, false, 4).solidFill);
    EXPECT_EQ(PaletteRelative(0x123456), 0x02123456u);
}

TEST(GradientBands, BandRectPerDirection)
{
    const BandRect rect{10, 20, 110, 70};  // 100 wide, 50 high
    struct Row {
        int dir, from, to;
        BandRect want;
    };
    const Row rows[] = {
        {0, 5, 15, {15, 20, 25, 70}},  {0, 5, -1, {15, 20, 110, 70}},
        {7, 5, 15, {15, 20, 25, 70}},   // unknown directions behave as 0
        {1, 0, 1, {109, 20, 110, 70}},  // first stop at the right edge
        {1, 5, -1, {10, 20, 105, 70}}, {2, 5, 15, {10, 25, 110, 35}},
        {2, 0, -1, {10, 20, 110, 70}}, {3, 0, 1, {10, 69, 110, 70}},  // first stop at the bottom
        {3, 5, -1, {10, 20, 110, 65}},
    };
    for (const Row& r : rows) {
        GradientBands g;
        g.SetDirection(r.dir);
        const BandRect got = g.GetBandRect(rect, r.from, r.to);
        EXPECT_EQ(got.left, r.want.left) << r.dir << " " << r.to;
        EXPECT_EQ(got.top, r.want.top) << r.dir << " " << r.to;
        EXPECT_EQ(got.right, r.want.right) << r.dir << " " << r.to;
        EXPECT_EQ(got.bottom, r.want.bottom) << r.dir << " " << r.to;
    }
}

// How far one channel (0 red, 1 green, 2 blue) of a lies from that of b.
int ChannelGap(uint32_t a, uint32_t b, int channel)
{
    const int shift = 8 * channel;
    return std::abs(static_cast<int>((a >> shift) & 0xFFu) - static_cast<int>((b >> shift) & 0xFFu));
}

// What the popups paint (tray/NotifierWnd.cpp): a reminder's three stops,
// direction 1, the popup's whole rectangle, phase 0, on true-colour and on
// palette displays.
TEST(GradientBands, PopupGradientOfEachReminderFromTheRightEdge)
{
    const Reminder popups[] = {
        ComposeReminder(false, false, false, 3, "", ""),          // timer stopped: blue, 150 x 50
        ComposeReminder(false, true, true, 3, "", "30 sec."),     // warning: red, 175 x 65
        ComposeReminder(true, false, true, 1, "jdoe", "5 min."),  // remember: red, 150 x 65
        ComposeReminder(true, false, false, 3, "", ""),           // "Remember!" and stopped: red, 150 x 60
    };
    for (const Reminder& popup : popups) {
        SCOPED_TRACE(popup.text);
        ASSERT_TRUE(popup.show);
        const GradientBands g = Painter({popup.first, popup.middle, popup.last}, 1);
        const BandRect rect{0, 0, popup.width, popup.height};
        for (bool palette : {false, true}) {
            SCOPED_TRACE(palette ? "palette display" : "true colour");
            const GradientBands::DrawPlan plan = g.PlanDraw(rect, 0, -1, 0, palette, palette ? 8 : 32);
            ASSERT_FALSE(plan.solidFill);
            ASSERT_FALSE(plan.bands.empty());
            EXPECT_EQ(TotalWidth(plan.bands), popup.width) << "the bands must fill the popup edge to edge";
            const std::vector<uint32_t> px = Pixels(plan.bands);
            EXPECT_EQ(px.front(), popup.first);
            const size_t half = static_cast<size_t>(popup.width / 2);
            EXPECT_EQ(px[half], popup.middle) << "the white middle stop at the popup's centre";
            for (int channel = 0; channel < 3; ++channel) {
                // Steps of at most about one unit, towards white and then towards the last stop.
                EXPECT_LE(ChannelGap(px[half - 1], popup.middle, channel), 4) << channel;
                EXPECT_LE(ChannelGap(px.back(), popup.last, channel), 4) << channel;
                for (size_t x = 1; x < px.size(); ++x) {
                    const uint32_t target = x <= half ? popup.middle : popup.last;
                    EXPECT_LE(ChannelGap(px[x], target, channel),
                              ChannelGap(px[x - 1], target, channel) + (x == half ? 255 : 0))
                        << "channel " << channel << " at " << x;
                }
            }
        }
        // The first stop lies at the right edge, the last at the left.
        const ColorBandArray bands = g.PlanDraw(rect, 0, -1, 0, false, 32).bands;
        const BandRect first = g.GetBandRect(rect, 0, bands.front().width);
        EXPECT_EQ(first.right, popup.width);
        EXPECT_EQ(first.left, popup.width - bands.front().width);
        const BandRect last = g.GetBandRect(rect, popup.width - bands.back().width, popup.width);
        EXPECT_EQ(last.left, 0);
        EXPECT_EQ(last.right, bands.back().width);
    }
}

}  // namespace
}  // namespace quellix
