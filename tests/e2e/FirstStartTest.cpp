// The program's first start on an account: what the dialog shows before the
// user touches anything, and what it leaves in the registry.
#include "tests/e2e/QuellixTest.h"

#include <commctrl.h>

namespace e2e {
namespace {

using namespace quellix;

ULONGLONG ToSeconds(const SYSTEMTIME& time)
{
    FILETIME file = {};
    SystemTimeToFileTime(&time, &file);
    return ((static_cast<ULONGLONG>(file.dwHighDateTime) << 32) | file.dwLowDateTime) / 10000000;
}

ULONGLONG LocalNowSeconds()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return ToSeconds(now);
}

using FirstStart = QuellixTest;

TEST_F(FirstStart, ShowsTheDefaultChoicesWithTimingControlsDisabled)
{
    const ULONGLONG before = LocalNowSeconds();
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    const ULONGLONG after = LocalNowSeconds();

    EXPECT_TRUE(dialog.IsChecked(id::Now));
    for (int disabled : {id::At, id::After, id::TimeAt, id::Minutes, id::MinutesSpin, id::MinLabel})
        EXPECT_FALSE(dialog.IsEnabled(disabled)) << "control " << disabled << " should be disabled";
    for (int enabled : {id::Action, id::Now, id::Ok, id::Cancel, id::Confirm})
        EXPECT_TRUE(dialog.IsEnabled(enabled)) << "control " << enabled << " should be enabled";
    EXPECT_EQ("5", dialog.ItemText(id::Minutes));
    EXPECT_TRUE(dialog.IsChecked(id::Confirm));
    EXPECT_FALSE(dialog.IsChecked(id::HideOnMinimize));
    EXPECT_FALSE(dialog.IsEnabled(id::HideOnMinimize));
    EXPECT_EQ("", dialog.ItemText(id::Remaining));
    EXPECT_EQ(0, dialog.ProgressPosition(id::Progress));

    const std::vector<std::string> actions = dialog.ComboItems(id::Action);
    const int selected = dialog.ComboSelection(id::Action);
    ASSERT_GE(selected, 0) << "no action selected";
    ASSERT_LT(selected, static_cast<int>(actions.size()));
    EXPECT_EQ("Turn off power", actions[selected]);
    EXPECT_TRUE(WaitUntil([&] { return dialog.HasFocus(id::Action); }, 2000)) << "the focus is not on the action list";

    // The picker shows the time of the start plus five minutes.
    const ULONGLONG shown = ToSeconds(dialog.PickerTime(id::TimeAt));
    EXPECT_GE(shown + 1, before + 300) << "picker time too early";
    EXPECT_LE(shown, after + 300 + 1) << "picker time too late";
}

TEST_F(FirstStart, CreatesTheSettingsKeyAndStoresNothing)
{
    ASSERT_FALSE(m_settings.Exists());
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(WaitUntil([&] { return m_settings.Exists(); }, 2000)) << "HKCU\\Software\\Quellix not created";

    dialog.PressKey(VK_ESCAPE);
    ASSERT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "Escape did not end the idle program";
    EXPECT_TRUE(m_settings.Exists());
    EXPECT_EQ(std::vector<std::string>{}, m_settings.ValueNames()) << "nothing is stored before OK is pressed";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

}  // namespace
}  // namespace e2e
