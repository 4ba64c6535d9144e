#include "schedule/refusal_text.h"

#include "schedule/action_catalogue.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(RefusalText, NamesTheActionAndGivesTheSystemsReason)
{
    const std::string reason = "Access denied.\r\n";
    EXPECT_EQ("Unable to log off.\n\nAccess denied.", RefusalText(ACTION_LOGOFF, reason));
    EXPECT_EQ("Unable to turn off the computer.\n\nAccess denied.", RefusalText(ACTION_POWEROFF, reason));
    EXPECT_EQ("Unable to shut down the computer.\n\nAccess denied.", RefusalText(ACTION_SHUTDOWN, reason));
    EXPECT_EQ("Unable to restart the computer.\n\nAccess denied.", RefusalText(ACTION_RESTART, reason));
    EXPECT_EQ("Unable to hibernate the computer.\n\nAccess denied.", RefusalText(ACTION_HIBERNATE, reason));
    EXPECT_EQ("Unable to put the computer on stand by.\n\nAccess denied.", RefusalText(ACTION_STANDBY, reason));
    EXPECT_EQ("Unable to lock the computer.\n\nAccess denied.", RefusalText(ACTION_LOCK, reason));
    // An unknown code is carried out as a shut-down.
    EXPECT_EQ("Unable to shut down the computer.\n\nAccess denied.", RefusalText(0, reason));
}

TEST(RefusalText, KeepsTheReasonWholeButItsTrailingBreaks)
{
    EXPECT_EQ("Unable to log off.\n\nLine one.\r\nLine two.", RefusalText(1, "Line one.\r\nLine two. \r\n\r\n"));
    EXPECT_EQ("Unable to log off.\n\nThe system gave no reason.", RefusalText(1, ""));
    EXPECT_EQ("Unable to log off.\n\nThe system gave no reason.", RefusalText(1, "\r\n"));
}

}  // namespace
}  // namespace quellix
