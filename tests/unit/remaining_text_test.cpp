#include "schedule/remaining_text.h"

#include <climits>

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(FormatRemaining, EveryRangeOfTheTable)
{
    const std::pair<int, const char*> rows[] = {
        {0, "0 sec."},
        {45, "45 sec."},
        {59, "59 sec."},
        {60, "1 min. and 0 sec."},
        {299, "4 min. and 59 sec."},
        {3599, "59 min. and 59 sec."},
        {3600, "1 hour(s) "},
        {3659, "1 hour(s) "},
        {3660, "1 hour(s)  and 1 min."},
        {5400, "1 hour(s)  and 30 min."},
        {86399, "23 hour(s)  and 59 min."},
        {86400, "24 hour(s) "},
        {172800, "48 hour(s) "},
        {-5, "-5 sec."},
        {-3600, "-3600 sec."},
    };
    for (const auto& r : rows)
        EXPECT_EQ(FormatRemaining(r.first), r.second) << r.first;
}

TEST(FormatRemaining, ExtremesDoNotOverflow)
{
    EXPECT_EQ(FormatRemaining(INT_MIN), "-2147483648 sec.");
    // 2147483647 s = 596523 h 14 min 7 s.
    EXPECT_EQ(FormatRemaining(INT_MAX), "596523 hour(s)  and 14 min.");
}

}  // namespace
}  // namespace quellix
