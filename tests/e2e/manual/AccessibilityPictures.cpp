// Pictures of what the keyboard and high contrast change, for a look by eye
// (run manual_checks.exe --gtest_filter='AccessibilityPictures.*' with
// QUELLIX_PICTURES set, as tools/screenshot-tray.sh does):
//   about-focus.bmp          the About box with the keyboard on the mail link
//   about-high-contrast.bmp  the About box under high contrast
//   popup-high-contrast.bmp  the stop notice under high contrast
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/HighContrast.h"
#include "tests/e2e/manual/ScreenPicture.h"

namespace e2e {
namespace {

using namespace quellix;

using AccessibilityPictures = TrayFixture;

void Save(const Window& window, const char* name)
{
    RECT rect = {};
    GetWindowRect(window.Handle(), &rect);
    const std::string path = PictureDirectory() + name;
    EXPECT_TRUE(SaveScreenPicture(rect, path)) << "could not write " << path;
    printf("picture: %s\n", path.c_str());
}

Dialog OpenAboutBox(const Dialog& main, DWORD pid)
{
    main.Post(WM_SYSCOMMAND, IDM_ABOUTBOX);
    return Dialog(WaitForMessageBox(pid, "About Quellix").Handle());
}

TEST_F(AccessibilityPictures, AboutBoxWithTheLinkFocused)
{
    ASSERT_TRUE(StartRecordedCopy());
    Dialog box = OpenAboutBox(m_dialog, m_dialog.ProcessId());
    ASSERT_TRUE(box);
    ASSERT_TRUE(WaitUntil([&] { return box.HasFocus(IDOK); }));
    box.PressKey(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return box.HasFocus(IDC_MAIL_LINK); }));
    Sleep(500);
    Save(box, "about-focus.bmp");
}

TEST_F(AccessibilityPictures, AboutBoxAndStopNoticeUnderHighContrast)
{
    HighContrast contrast;
    ASSERT_TRUE(StartRecordedCopy());
    contrast.TurnOnFor(m_dialog.ProcessId());
    Dialog box = OpenAboutBox(m_dialog, m_dialog.ProcessId());
    ASSERT_TRUE(box);
    Sleep(500);
    Save(box, "about-high-contrast.bmp");
    box.Post(WM_COMMAND, IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); }));

    ASSERT_TRUE(m_dialog.Minimize());
    const std::vector<Popup> shown = WaitForPopups(m_dialog.ProcessId(), 1);
    ASSERT_EQ(1u, shown.size());
    Sleep(1200);  // fully risen, at any resolution
    Save(shown[0], "popup-high-contrast.bmp");
}

}  // namespace
}  // namespace e2e
