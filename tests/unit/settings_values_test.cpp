#include "dialog/settings_values.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(SettingsValues, OnlyFourByteDwordsCount)
{
    const unsigned char bytes[8] = {0x78, 0x56, 0x34, 0x12, 0xff, 0xff, 0xff, 0xff};
    const unsigned char minusOne[4] = {0xff, 0xff, 0xff, 0xff};
    int32_t v = 7;
    ASSERT_TRUE(DecodeStoredDword(4, bytes, 4, &v));
    EXPECT_EQ(v, 0x12345678);
    ASSERT_TRUE(DecodeStoredDword(4, minusOne, 4, &v));
    EXPECT_EQ(v, -1);  // "no selection" as stored for the action position

    v = 7;
    EXPECT_FALSE(DecodeStoredDword(1, bytes, 4, &v));   // REG_SZ
    EXPECT_FALSE(DecodeStoredDword(3, bytes, 4, &v));   // REG_BINARY
    EXPECT_FALSE(DecodeStoredDword(5, bytes, 4, &v));   // REG_DWORD_BIG_ENDIAN
    EXPECT_FALSE(DecodeStoredDword(11, bytes, 8, &v));  // REG_QWORD
    EXPECT_FALSE(DecodeStoredDword(4, bytes, 3, &v));
    EXPECT_FALSE(DecodeStoredDword(4, bytes, 0, &v));
    EXPECT_FALSE(DecodeStoredDword(4, bytes, 8, &v));
    EXPECT_FALSE(DecodeStoredDword(4, nullptr, 4, &v));
    EXPECT_FALSE(DecodeStoredDword(4, bytes, 4, nullptr));
    EXPECT_EQ(v, 7);
}

TEST(SettingsValues, StoredMinutesOutsideTheFieldsRangeCountAsMissing)
{
    for (int minutes : {1, 5, 90, 2880})
        EXPECT_TRUE(IsValidMinutes(minutes)) << minutes;
    for (int minutes : {0, -1, 2881, 9999, INT32_MIN, INT32_MAX})
        EXPECT_FALSE(IsValidMinutes(minutes)) << minutes;
}

TEST(SettingsValues, SwitchesOtherThanZeroOrOneCountAsMissing)
{
    EXPECT_TRUE(IsValidSwitch(0));
    EXPECT_TRUE(IsValidSwitch(1));
    for (int32_t value : {2, 5, 7, -1, -5, static_cast<int32_t>(0xDEADBEEF), INT32_MIN, INT32_MAX})
        EXPECT_FALSE(IsValidSwitch(value)) << value;
}

}  // namespace
}  // namespace quellix
