#include "afx/ddx_parse.h"

#include <climits>

#include <gtest/gtest.h>

namespace afx {
namespace {

TEST(DdxParse, DialogIntegers)
{
    const std::pair<const char*, int> good[] = {
        {"5", 5},
        {"2880", 2880},
        {"  12\t", 12},
        {"\t-7 ", -7},
        {"+3", 3},
        {"007", 7},
        {"0", 0},
        {"-0", 0},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"00000000000000000000042", 42},
    };
    for (const auto& g : good) {
        int v = -99;
        EXPECT_TRUE(ParseDialogInt(g.first, &v)) << g.first;
        EXPECT_EQ(v, g.second) << g.first;
    }
    const char* bad[] = {"",     " ",   "-",   "+",          "+-1",         "--1",
                         "1 2",  "12a", "a12", "0x10",       "1.5",         "1e3",
                         "\n5",  "5\n", "- 5", "2147483648", "-2147483649", "99999999999999999999999",
                         nullptr};
    for (const char* b : bad) {
        int v = -99;
        EXPECT_FALSE(ParseDialogInt(b, &v)) << (b ? b : "(null)");
        EXPECT_EQ(v, -99);
    }
}

// The minutes outside the "after" mode: taken when valid, else the old value stays.
TEST(DdxParse, IntegersInRange)
{
    const struct {
        const char* text;
        bool taken;
        int result;
    } rows[] = {
        {"90", true, 90},    {"1", true, 1}, {" 2880 ", true, 2880}, {"0", false, 5},  {"2881", false, 5},
        {"-3", false, 5},    {"", false, 5}, {"abc", false, 5},      {"9a", false, 5}, {"99999999999", false, 5},
        {nullptr, false, 5},
    };
    for (const auto& r : rows) {
        int v = 5;
        EXPECT_EQ(ParseDialogIntInRange(r.text, 1, 2880, &v), r.taken) << (r.text ? r.text : "(null)");
        EXPECT_EQ(v, r.result) << (r.text ? r.text : "(null)");
    }
}

TEST(DdxParse, FormatWithArgs)
{
    EXPECT_EQ(FormatWithArgs("Please enter an integer between %1 and %2.", "1", "2880"),
              "Please enter an integer between 1 and 2880.");
    EXPECT_EQ(FormatWithArgs("%2%1%3%%1%", "a", "b"), "ba%3%a%");
    EXPECT_EQ(FormatWithArgs("%1", "%2", "x"), "%2");
    EXPECT_EQ(FormatWithArgs(nullptr, "a", "b"), "");
}

}  // namespace
}  // namespace afx
