// The main dialog as a window: its system menu and how it closes while idle.
#include "tests/e2e/QuellixTest.h"

namespace e2e {
namespace {

using namespace quellix;

using DialogWindow = QuellixTest;

TEST_F(DialogWindow, SystemMenuEndsWithSeparatorAndAbout)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const std::vector<MenuEntry> entries = SystemMenuEntries(dialog);
    ASSERT_GE(entries.size(), 3u);
    const MenuEntry& separator = entries[entries.size() - 2];
    const MenuEntry& about = entries.back();
    EXPECT_TRUE(separator.separator) << "second to last entry: \"" << separator.text << "\"";
    EXPECT_EQ("&About Quellix...", about.text);
    EXPECT_EQ(16u, about.command);
}

TEST_F(DialogWindow, EscapeClosesTheIdleDialog)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    dialog.PressKey(VK_ESCAPE);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "the program did not end after Escape";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

TEST_F(DialogWindow, CancelClosesTheIdleDialog)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    dialog.ClickAsync(id::Cancel);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "the program did not end after Cancel";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

} // namespace
} // namespace e2e
