#include "controls/dpi_scale.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(DpiScale, SizesAt96DpiStayAsTheyAre)
{
    for (int pixels : {-10, 0, 1, 5, 13, 150, 411})
        EXPECT_EQ(ScaleForDpi(pixels, kDefaultDpi), pixels);
    // A resolution nobody could tell us changes nothing either.
    EXPECT_EQ(ScaleForDpi(150, 0), 150);
}

TEST(DpiScale, OtherResolutionsRoundToTheNearestPixel)
{
    EXPECT_EQ(ScaleForDpi(150, 120), 188);  // 187.5 rounds up
    EXPECT_EQ(ScaleForDpi(150, 144), 225);
    EXPECT_EQ(ScaleForDpi(150, 192), 300);
    EXPECT_EQ(ScaleForDpi(10, 120), 13);  // 12.5
    EXPECT_EQ(ScaleForDpi(5, 144), 8);    // 7.5
    EXPECT_EQ(ScaleForDpi(1, 120), 1);    // 1.25
    EXPECT_EQ(ScaleForDpi(-10, 120), -13);
    // No overflow for large sizes at large resolutions.
    EXPECT_EQ(ScaleForDpi(1 << 24, 480), 5 << 24);
}

TEST(DpiScale, ControlFontIsTahoma13At96Dpi)
{
    EXPECT_EQ(ControlFontHeight(96), 13);
    EXPECT_EQ(ControlFontHeight(120), 16);
    EXPECT_EQ(ControlFontHeight(144), 20);
    EXPECT_EQ(ControlFontHeight(192), 26);
}

// Where the dialog's layout grew with the DPI the font does too; where it
// grew less (Wine's bitmap MS Sans Serif keeps a base unit of 9 pixels at
// 192 DPI) the font grows as the layout did.
TEST(DpiScale, DialogFontGrowsNoFasterThanTheLayout)
{
    EXPECT_EQ(DialogFontHeight(96, 6), 13);
    EXPECT_EQ(DialogFontHeight(144, 9), 20);
    EXPECT_EQ(DialogFontHeight(120, 8), 16);
    EXPECT_EQ(DialogFontHeight(192, 12), 26);
    EXPECT_EQ(DialogFontHeight(192, 9), 20);
    EXPECT_EQ(DialogFontHeight(96, 7), 13);   // a wider layout never makes it bigger than the DPI's
    EXPECT_EQ(DialogFontHeight(144, 0), 20);  // layout unknown
}

}  // namespace
}  // namespace quellix
