#include "schedule/action_catalogue.h"
#include "afx/ascii.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

using Codes = std::vector<int>;

// The list: "Log off <name>" first when the name is known, the fixed three,
// then what the system family and version offer.
TEST(ActionCatalogue, ListedActionsDependOnSystemFamilyAndVersion)
{
    struct Row {
        OsVersion os;
        Codes listed;
    };
    const Row rows[] = {
        // The version records the program reads under Wine's settings:
        // default (7), win2k, winxp, nt40, win95, win98, winme.
        {{kPlatformNT, 6, 1}, {2, 3, 4, 5, 6, 7}},
        {{kPlatformNT, 5, 0}, {2, 3, 4, 5, 6, 7}},
        {{kPlatformNT, 5, 1}, {2, 3, 4, 5, 6, 7}},
        {{kPlatformNT, 4, 0}, {2, 3, 4}},
        {{kPlatform9x, 4, 0}, {2, 3, 4, 6}},
        {{kPlatform9x, 4, 10}, {2, 3, 4, 6}},
        {{kPlatform9x, 4, 90}, {2, 3, 4, 6}},
        // Systems the program was never meant for get the fixed three only.
        {{kPlatform9x, 3, 0}, {2, 3, 4}},
        {{0, 6, 0}, {2, 3, 4}},
        {{3, 10, 0}, {2, 3, 4}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << "platform " << r.os.platformId << " major " << r.os.major);
        EXPECT_EQ(ListedActions(r.os, false), r.listed);
        Codes withLogOff{ACTION_LOGOFF};
        withLogOff.insert(withLogOff.end(), r.listed.begin(), r.listed.end());
        EXPECT_EQ(ListedActions(r.os, true), withLogOff);
    }
}

TEST(ActionCatalogue, TextsPerCode)
{
    const char* entries[] = {"Log off",   "Turn off power", "Shut down",    "Restart",
                             "Hibernate", "Stand by",       "Lock Computer"};
    // The lower-cased verb feeds the captions and the expiry prompt.
    const char* prompts[] = {
        "Are you sure you want to log off the computer?",      "Are you sure you want to turn off the computer?",
        "Are you sure you want to shut down the computer?",    "Are you sure you want to restart the computer?",
        "Are you sure you want to hibernate the computer?",    "Are you sure you want to stand by the computer?",
        "Are you sure you want to lock computer the computer?"};
    const char* groups[] = {"Log off time",   "Turn off time", "Shut down time",    "Restart time",
                            "Hibernate time", "Stand by time", "Lock computer time"};
    const char* confirms[] = {"Confirm log off...",      "Confirm turn off...",  "Confirm shut down...",
                              "Confirm restart...",      "Confirm hibernate...", "Confirm stand by...",
                              "Confirm lock computer..."};
    for (int code = ACTION_LOGOFF; code <= ACTION_LOCK; ++code) {
        SCOPED_TRACE(code);
        EXPECT_STREQ(ActionEntryText(code), entries[code - 1]);
        ASSERT_NE(ActionVerb(code), nullptr);
        ASSERT_NE(ActionDescription(code), nullptr);
        const std::string verb = afx::AsciiLower(ActionVerb(code));
        EXPECT_EQ(std::string(ActionVerb(code)) + " time", groups[code - 1]);
        EXPECT_EQ("Are you sure you want to " + verb + " the computer?", prompts[code - 1]);
        EXPECT_EQ("Confirm " + verb + "...", confirms[code - 1]);
    }
    EXPECT_STREQ(ActionDescription(ACTION_LOGOFF), "Ends your session, leaving the computer running on full power.");
    EXPECT_STREQ(ActionDescription(ACTION_POWEROFF), "Ends your session, shuts down Windows and turns off power. "
                                                     "System must support the power-off feature.");
    EXPECT_STREQ(ActionDescription(ACTION_STANDBY),
                 "While on standby, your computer consumes less electric power, but information "
                 "in computer memory is not saved on your hard disk.");
    EXPECT_STREQ(ActionDescription(ACTION_LOCK), "Locks your computer so that you can safely leave it alone.");
    EXPECT_EQ(LogOffEntryText("jdoe"), "Log off jdoe");
    for (int code : {0, -1, 8, 1000}) {
        EXPECT_EQ(ActionEntryText(code), nullptr);
        EXPECT_EQ(ActionVerb(code), nullptr);
        EXPECT_EQ(ActionDescription(code), nullptr);
    }
    EXPECT_EQ(afx::AsciiLower("Lock Computer \xC4Z@[`"), "lock computer \xC4z@[`");
}

TEST(ActionCatalogue, NewTrayIconFromXpAndMe)
{
    EXPECT_FALSE(UsesNewTrayIcon({kPlatformNT, 4, 0}));
    EXPECT_FALSE(UsesNewTrayIcon({kPlatformNT, 5, 0}));
    EXPECT_TRUE(UsesNewTrayIcon({kPlatformNT, 5, 1}));
    EXPECT_TRUE(UsesNewTrayIcon({kPlatformNT, 6, 0}));
    EXPECT_FALSE(UsesNewTrayIcon({kPlatform9x, 4, 10}));
    EXPECT_TRUE(UsesNewTrayIcon({kPlatform9x, 4, 90}));
    EXPECT_TRUE(UsesNewTrayIcon({kPlatform9x, 5, 0}));
    EXPECT_FALSE(UsesNewTrayIcon({kPlatform9x, 3, 95}));
    EXPECT_FALSE(UsesNewTrayIcon({0, 10, 0}));
}

}  // namespace
}  // namespace quellix
