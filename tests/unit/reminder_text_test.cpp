#include "tray/reminder_text.h"

#include "schedule/action_catalogue.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

TEST(Reminder, CountdownReminderPerAction)
{
    struct Row {
        int code;
        const char* phrase;
        int width;
    };
    const Row rows[] = {
        {ACTION_LOGOFF, "log off jsmith7", 157},  // seven-character name
        {ACTION_POWEROFF, "turn off the computer power", 187},
        {ACTION_SHUTDOWN, "shut down the computer", 175},
        {ACTION_RESTART, "restart the computer", 170},
        {ACTION_HIBERNATE, "hibernate the computer", 175},
        {ACTION_STANDBY, "standby the computer", 170},
        {ACTION_LOCK, "lock the computer", 162},
        {0, "", 120},
        {99, "", 120},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        EXPECT_EQ(ActionPhrase(r.code, "jsmith7"), r.phrase);
        const Reminder w = ComposeReminder(false, true, true, r.code, "jsmith7", "30 sec.");
        EXPECT_TRUE(w.show);
        EXPECT_EQ(w.text, std::string("Warning!\nQuellix\n will ") + r.phrase + "\n after 30 sec.");
        EXPECT_EQ(w.width, r.width);
        EXPECT_EQ(w.height, 65);
        EXPECT_EQ(w.staySeconds, 7);
        EXPECT_EQ(w.first, 0xA1B1F3u);
        EXPECT_EQ(w.middle, 0xFFFFFFu);
        EXPECT_EQ(w.last, 0x3759E3u);
        const Reminder m = ComposeReminder(true, false, true, r.code, "jsmith7", "4 min. and 10 sec.");
        EXPECT_EQ(m.text, std::string("Remember!\nQuellix\n will ") + r.phrase + "\n after 4 min. and 10 sec.");
        EXPECT_EQ(m.width, r.width);
        EXPECT_EQ(m.height, 65);
        EXPECT_EQ(m.staySeconds, 7);
        EXPECT_EQ(m.first, kRedFirst);
    }
    // Odd phrase lengths drop the half pixel: 140 + floor(2.5 * name length).
    EXPECT_EQ(ComposeReminder(false, true, true, ACTION_LOGOFF, "abc", "").width, 147);
    EXPECT_EQ(ComposeReminder(false, true, true, ACTION_LOGOFF, std::string(99, 'x'), "").width, 387);
}

TEST(Reminder, StopNotices)
{
    for (int code : {1, 7, 42}) {
        const Reminder s = ComposeReminder(false, false, false, code, "u", "1 sec.");
        EXPECT_TRUE(s.show);
        EXPECT_EQ(s.text, "Quellix\ntimer stopped.");
        EXPECT_EQ(s.width, 150);
        EXPECT_EQ(s.height, 50);
        EXPECT_EQ(s.staySeconds, 4);
        EXPECT_EQ(s.first, 0xE89675u);
        EXPECT_EQ(s.middle, 0xFFFFFFu);
        EXPECT_EQ(s.last, 0xE18662u);
    }
    const Reminder f = ComposeReminder(true, false, false, ACTION_SHUTDOWN, "u", "1 sec.");
    EXPECT_EQ(f.text, "Remember!\nQuellix\ntimer stopped.");
    EXPECT_EQ(f.width, 150);
    EXPECT_EQ(f.height, 60);
    EXPECT_EQ(f.staySeconds, 7);
    EXPECT_EQ(f.first, kRedFirst);
    EXPECT_EQ(f.last, kRedLast);
    EXPECT_EQ(ComposeReminder(false, true, false, ACTION_SHUTDOWN, "u", "").text, "Warning!\nQuellix\ntimer stopped.");
    // Both prefixes (no caller asks for that): "Remember!" ends up in front.
    EXPECT_EQ(ComposeReminder(true, true, true, ACTION_LOCK, "u", "5 sec.").text,
              "Remember!\nWarning!\nQuellix\n will lock the computer\n after 5 sec.");
    EXPECT_FALSE(ComposeReminder(false, false, true, ACTION_SHUTDOWN, "u", "5 sec.").show);
}

TEST(Reminder, TrayTip)
{
    EXPECT_EQ(TrayTipText("Quellix...", "Left 4 min. and 59 sec."), "Quellix... left 4 min. and 59 sec.");
    const std::string tip = TrayTipText(std::string(60, 'T'), "Left 1 hour(s)  and 1 min.");
    EXPECT_EQ(tip, std::string(60, 'T') + " le");
    EXPECT_EQ(CutTip(std::string(63, 'a')), std::string(63, 'a'));
    EXPECT_EQ(CutTip(std::string(64, 'a')), std::string(63, 'a'));
    EXPECT_EQ(CutTip(""), "");
}

}  // namespace
}  // namespace quellix
