#include "tray/notifier_motion.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

struct Animation {
    int fullAtMs = -1;     // first step at full height
    int firstSinkMs = -1;  // first step no longer rising
    int destroyedMs = -1;
    int maxHeight = 0;
};

Animation Animate(int height, int stayMs)
{
    NotifierMotion m(899, height, stayMs);
    Animation r;
    for (int step = 0; step < 100000; ++step) {
        const bool gone = m.Step();
        const int h = m.Bottom() - m.Top();
        if (h > r.maxHeight)
            r.maxHeight = h;
        if (h == height && r.fullAtMs < 0)
            r.fullAtMs = m.Elapsed();
        if (!m.Rising() && r.firstSinkMs < 0)
            r.firstSinkMs = m.Elapsed();
        if (gone) {
            r.destroyedMs = m.Elapsed();
            break;
        }
    }
    return r;
}

TEST(NotifierMotion, RiseHoldAndSink)
{
    NotifierMotion m(899, 65, 7000);
    EXPECT_EQ(m.Top(), 899);
    EXPECT_TRUE(m.Rising());
    EXPECT_FALSE(m.Step());
    EXPECT_EQ(m.Top(), 894);
    EXPECT_EQ(m.Elapsed(), 20);

    const Animation reminder = Animate(65, 7000);
    EXPECT_EQ(reminder.fullAtMs, 260);  // 13 steps
    EXPECT_EQ(reminder.firstSinkMs, 7020);
    EXPECT_EQ(reminder.destroyedMs, 7260);
    EXPECT_EQ(reminder.maxHeight, 65);

    const Animation notice = Animate(50, 4000);
    EXPECT_EQ(notice.fullAtMs, 200);  // 10 steps
    EXPECT_EQ(notice.destroyedMs, 4200);

    // Heights that are no multiple of 5 clamp at the full height.
    EXPECT_EQ(Animate(62, 1000).maxHeight, 62);

    // A stay shorter than the rise sinks before reaching full height.
    const Animation brief = Animate(65, 100);
    EXPECT_EQ(brief.fullAtMs, -1);
    EXPECT_EQ(brief.maxHeight, 25);
    EXPECT_EQ(brief.destroyedMs, 200);

    // A negative stay compares as a huge unsigned number: it never sinks.
    NotifierMotion forever(100, 10, -1);
    for (int i = 0; i < 1000; ++i)
        ASSERT_FALSE(forever.Step());
    EXPECT_TRUE(forever.Rising());
}

TEST(NotifierMotion, StartRectShiftsLeftPerOpenPopup)
{
    const Rect32 wa{0, 0, 1024, 738};
    const Rect32 first = NotifierStartRect(wa, 175, 65, 0);
    EXPECT_EQ(first.right, 1014);
    EXPECT_EQ(first.left, 839);
    EXPECT_EQ(first.bottom, 738);
    EXPECT_EQ(first.top, 673);
    const Rect32 second = NotifierStartRect(wa, 150, 50, 1);
    EXPECT_EQ(second.right, 1004);
    EXPECT_EQ(second.left, 854);
    EXPECT_EQ(second.top, 688);
    const Rect32 offset = NotifierStartRect(Rect32{100, 50, 800, 600}, 10, 10, 3);
    EXPECT_EQ(offset.right, 760);
}

// At 150 % the offsets from the work area's corner grow with the popup, and
// it rises in as many steps as at 100 %.
TEST(NotifierMotion, OffsetsAndStepsScaleWithTheResolution)
{
    const Rect32 wa{0, 0, 1536, 1122};
    const Rect32 first = NotifierStartRect(wa, 225, 75, 0, 144);
    EXPECT_EQ(first.right, 1521);
    EXPECT_EQ(first.left, 1296);
    EXPECT_EQ(first.top, 1047);
    EXPECT_EQ(NotifierStartRect(wa, 225, 75, 2, 144).right, 1491);
    EXPECT_EQ(NotifierStartRect(wa, 300, 100, 1, 192).right, 1496);
    // 96 DPI is today's layout exactly.
    EXPECT_EQ(NotifierStartRect(wa, 150, 50, 1, 96).right, NotifierStartRect(wa, 150, 50, 1).right);

    NotifierMotion scaled(1121, 75, 4000, 144);  // the notice, 50 px at 96 DPI
    int steps = 0;
    while (scaled.Bottom() - scaled.Top() < 75 && steps < 100) {
        scaled.Step();
        ++steps;
    }
    EXPECT_EQ(steps, 10);  // as the notice's 10 steps at 96 DPI
    EXPECT_EQ(scaled.Top(), 1121 - 75);
}

TEST(NotifierMotion, TextDrawnOnlyOnceTheWindowHoldsIt)
{
    int top = -1;
    EXPECT_TRUE(TextTopIfFits(0, 65, 39, &top));
    EXPECT_EQ(top, 13);
    EXPECT_TRUE(TextTopIfFits(0, 39, 39, &top));
    EXPECT_EQ(top, 0);
    EXPECT_TRUE(TextTopIfFits(0, 40, 39, &top));
    EXPECT_EQ(top, 0);
    EXPECT_FALSE(TextTopIfFits(0, 38, 39, &top));
    EXPECT_EQ(top, 0x7FFFFFFF);  // (2^32 - 1) / 2: far below the window
    EXPECT_FALSE(TextTopIfFits(0, 0, 52, &top));
    EXPECT_GT(top, 1 << 30);
    EXPECT_TRUE(TextTopIfFits(10, 60, 20, nullptr));
}

}  // namespace
}  // namespace quellix
