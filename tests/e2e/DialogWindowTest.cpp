// The main dialog as a window: its system menu and how it closes while idle.
#include "tests/e2e/QuellixTest.h"

#include <algorithm>
#include <cctype>

namespace e2e {
namespace {

using namespace quellix;

using DialogWindow = QuellixTest;

TEST_F(DialogWindow, SystemMenuEndsWithSeparatorAndAboutWhichOpensTheAboutBox)
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

    // Choosing the entry (the system menu sends its command as WM_SYSCOMMAND).
    dialog.Post(WM_SYSCOMMAND, about.command);
    Window aboutBox = WaitForMessageBox(FirstCopy().Id(), "About Quellix");
    ASSERT_TRUE(aboutBox) << "no \"About Quellix\" box";
    aboutBox.Post(WM_COMMAND, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(aboutBox.Handle()); })) << "the About box did not close";
    EXPECT_TRUE(FirstCopy().Running());
}

TEST_F(DialogWindow, FifteenControlsUseTahoma13)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    for (int control :
         {id::ActionGroup, id::Action, id::Description, id::TimeGroup, id::Now, id::At, id::TimeAt, id::After,
          id::Minutes, id::MinLabel, id::Remaining, id::Ok, id::Cancel, id::Confirm, id::HideOnMinimize})
        EXPECT_EQ("Tahoma 13", dialog.ItemFont(control)) << "control " << control;
    // The template's font stays on the rest.
    for (int control : {id::MinutesSpin, id::Progress})
        EXPECT_NE("Tahoma 13", dialog.ItemFont(control)) << "control " << control;
}

// Screen readers name a control without text of its own after the static
// text just before it in the dialog's order. Each such control has a hidden
// label there (hidden labels still name it), which changes nothing the user
// sees or reaches with Tab; the progress bar is no longer named "min.".
TEST_F(DialogWindow, ControlsWithoutTextAreNamedByAHiddenLabelJustBeforeThem)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const struct {
        int control;
        const char* name;
    } named[] = {
        {id::Action, "Action"}, {id::TimeAt, "Time of day"}, {id::Minutes, "Minutes"}, {id::Progress, "Countdown"}};
    for (const auto& [control, name] : named) {
        const Window label(GetWindow(dialog.Item(control).Handle(), GW_HWNDPREV));
        ASSERT_TRUE(label) << "nothing before control " << control;
        EXPECT_EQ("Static", label.ClassName()) << "before control " << control;
        EXPECT_EQ(name, label.Text()) << "before control " << control;
        EXPECT_EQ(0, label.Style() & (WS_VISIBLE | WS_TABSTOP | WS_GROUP))
            << "the label of control " << control << " shows, takes a tab stop or starts a group";
    }
}

// A system-modal dialog (DS_SYSMODAL) is top-most; not every dialog manager
// does that itself, so the framework makes sure.
TEST_F(DialogWindow, StaysAboveOtherWindowsWithATaskBarButton)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const LONG extended = GetWindowLongA(dialog.Handle(), GWL_EXSTYLE);
    EXPECT_TRUE(extended & WS_EX_TOPMOST) << "the dialog does not stay above other windows; extended style 0x"
                                          << std::hex << extended << " style 0x" << dialog.Style();
    EXPECT_TRUE(extended & WS_EX_APPWINDOW)
        << "the dialog has no task bar button; extended style 0x" << std::hex << extended;
}

// The manifest asks for version 6 of the common controls (visual styles); it
// comes from the side-by-side store, not from the system folder, and only
// when the manifest names the program's own processor architecture.
TEST_F(DialogWindow, UsesVersion6OfTheCommonControls)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const LoadedModule controls = FindModule(FirstCopy().Id(), "comctl32.dll");
    ASSERT_NE(0u, controls.base) << "comctl32.dll is not loaded";
    std::string path = controls.path;
    std::transform(path.begin(), path.end(), path.begin(), [](unsigned char c) { return char(tolower(c)); });
    EXPECT_NE(std::string::npos, path.find("\\winsxs\\")) << "common controls from " << controls.path;
    EXPECT_NE(std::string::npos, path.find("common-controls_6595b64144ccf1df_6.")) << controls.path;
}

TEST_F(DialogWindow, EnterOnTheActionListPressesOk)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(WaitUntil([&] { return dialog.HasFocus(id::Action); }, 2000));
    dialog.PressKey(VK_RETURN);

    // OK with "Now" and confirmation on asks first; No leaves everything as it was.
    MessageBoxWindow box = WaitForMessageBox(FirstCopy().Id(), "Quellix timer expired");
    ASSERT_TRUE(box) << "Enter did not press OK: no confirmation question";
    EXPECT_EQ("Are you sure you want to turn off the computer?", box.Message());
    EXPECT_EQ(BoxIcon::Question, box.Icon()) << ToString(box.Icon());
    EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), box.Buttons());
    box.Answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the question stayed open";
    EXPECT_TRUE(FirstCopy().Running());
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests()) << "a request was made after No";
    EXPECT_EQ(std::vector<std::string>{}, m_settings.ValueNames()) << "settings were stored after No";

    // Still idle: Escape ends it.
    dialog.PressKey(VK_ESCAPE);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "Escape no longer ends the program after No";
}

TEST_F(DialogWindow, NowAnswersARealMouseClick)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    dialog.MouseClick(id::Now);
    EXPECT_TRUE(WaitUntil([&] { return !dialog.IsChecked(id::Now); })) << "the click did not clear \"Now\"";
    EXPECT_TRUE(WaitUntil([&] { return dialog.IsEnabled(id::At) && dialog.IsEnabled(id::After); }))
        << "clearing \"Now\" did not enable the timing modes";
}

}  // namespace
}  // namespace e2e
