// Pictures of the notification icon, its menu and a warning popup, taken the
// way a user would see them (tools/screenshot-tray.sh turns them into PNGs):
//   tray-tip.bmp    the dialog hidden to the icon while counting, its tip shown
//   tray-menu.bmp   the icon's menu, opened by a real right click
//   popup.bmp       the 30-second warning, fully risen, over the task bar
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/manual/ScreenPicture.h"

namespace e2e {
namespace {

using namespace quellix;

using TrayPictures = TrayFixture;

// The bottom right corner of the screen, `width` by `height` pixels.
RECT Corner(int width, int height)
{
    const int right = GetSystemMetrics(SM_CXSCREEN), bottom = GetSystemMetrics(SM_CYSCREEN);
    return RECT{right - width, bottom - height, right, bottom};
}

void Save(const RECT& rect, const char* name)
{
    const std::string path = PictureDirectory() + name;
    EXPECT_TRUE(SaveScreenPicture(rect, path)) << "could not write " << path;
    printf("picture: %s\n", path.c_str());
}

TEST_F(TrayPictures, TipWhileCounting)
{
    ASSERT_TRUE(StartRecordedCopy());
    StartCountdownAfter(m_dialog, "5");
    ASSERT_TRUE(m_dialog.Minimize());
    const TrayIcon icon = WaitForOneIcon();
    ASSERT_TRUE(WaitUntil([&] { return !ShellTrayIcons().empty() && ShellTrayIcons()[0].tip != kDialogCaption; }));
    const Window tip = PointAtIcon(icon);
    ASSERT_TRUE(tip) << "no tip showed";
    Sleep(300);
    Save(Corner(400, 100), "tray-tip.bmp");
}

TEST_F(TrayPictures, MenuOfTheIcon)
{
    ASSERT_TRUE(StartRecordedCopy());
    ASSERT_TRUE(m_dialog.Minimize());
    const TrayIcon icon = WaitForOneIcon();
    ASSERT_EQ(1u, WaitForPopups(m_dialog.ProcessId(), 1).size());
    ASSERT_TRUE(WaitUntil([&] { return ExistingPopups(m_dialog.ProcessId()).empty(); }, 6000));
    Sleep(1000);  // the desktop repaints where the notice was
    MouseClickAt(icon.Centre(), true);
    const OpenMenu menu = WaitForPopupMenu(m_dialog.ProcessId());
    ASSERT_TRUE(menu);
    Sleep(300);
    Save(Corner(260, 180), "tray-menu.bmp");
    CloseWithEscape(menu);
}

TEST_F(TrayPictures, WarningMidStay)
{
    ASSERT_TRUE(StartRecordedCopy());
    StartCountdownAt(m_dialog, 32);
    ASSERT_TRUE(m_dialog.Minimize());
    WaitForOneIcon();
    const std::vector<Popup> warning = WaitForPopups(m_dialog.ProcessId(), 1, 4000);
    ASSERT_EQ(1u, warning.size());
    ASSERT_TRUE(WaitForHeight(warning[0], 65));
    MoveMouseTo({300, 300});
    Sleep(1500);
    Save(Corner(400, 140), "popup.bmp");
}

}  // namespace
}  // namespace e2e
