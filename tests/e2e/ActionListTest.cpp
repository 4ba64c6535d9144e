// The action list for the running system: which entries, with which codes,
// and the texts each entry brings into the dialog.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

namespace e2e {
namespace {

using namespace quellix;

struct ActionTexts {
    int code;
    const char* entry;  // "Log off" is followed by the logon name
    const char* group;
    const char* confirm;
    const char* description;
};

const ActionTexts kActions[] = {
    {1, "Log off", "Log off time", "Confirm log off...",
     "Ends your session, leaving the computer running on full power."},
    {2, "Turn off power", "Turn off time", "Confirm turn off...",
     "Ends your session, shuts down Windows and turns off power. System must support the power-off feature."},
    {3, "Shut down", "Shut down time", "Confirm shut down...",
     "Ends your session and shuts down Windows so that you can safely turn off power."},
    {4, "Restart", "Restart time", "Confirm restart...",
     "Ends your session, shuts down Windows, and starts Windows again."},
    {5, "Hibernate", "Hibernate time", "Confirm hibernate...",
     "Saves your session to disk so that you can safely turn off power. Your session is restored the next time you "
     "start Windows."},
    {6, "Stand by", "Stand by time", "Confirm stand by...",
     "While on standby, your computer consumes less electric power, but information in computer memory is not saved "
     "on your hard disk."},
    {7, "Lock Computer", "Lock computer time", "Confirm lock computer...",
     "Locks your computer so that you can safely leave it alone."},
};

std::string EntryText(int code)
{
    const ActionTexts& texts = kActions[code - 1];
    return code == 1 ? std::string(texts.entry) + " " + LogonName() : texts.entry;
}

struct SystemCase {
    const char* version;  // as Wine's AppDefaults take it
    std::vector<int> codes;
};

void PrintTo(const SystemCase& system, std::ostream* out) { *out << system.version; }

class ActionListOnSystem : public QuellixTest, public ::testing::WithParamInterface<SystemCase> {};

TEST_P(ActionListOnSystem, ListsTheActionsOfThatSystemWithTurnOffPowerSelected)
{
    ASSERT_FALSE(LogonName().empty());
    ReportedSystemVersion version(GetParam().version);
    ASSERT_TRUE(version.Set());
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);

    EXPECT_EQ(GetParam().codes, ActionCodes(dialog));
    std::vector<std::string> texts;
    for (int code : GetParam().codes)
        texts.push_back(EntryText(code));
    EXPECT_EQ(texts, dialog.ComboItems(id::Action));
    EXPECT_EQ(1, dialog.ComboSelection(id::Action)) << "\"Turn off power\" follows the log-off entry";
}

INSTANTIATE_TEST_SUITE_P(Wine, ActionListOnSystem,
                         ::testing::Values(SystemCase{"win7", {1, 2, 3, 4, 5, 6, 7}},
                                           SystemCase{"winxp", {1, 2, 3, 4, 5, 6, 7}}, SystemCase{"nt40", {1, 2, 3, 4}},
                                           SystemCase{"win98", {1, 2, 3, 4, 6}}),
                         [](const ::testing::TestParamInfo<SystemCase>& info) { return info.param.version; });

using ActionList = QuellixTest;

TEST_F(ActionList, EachEntryBringsItsDescriptionAndCaptions)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    // The entry selected at the start has set the texts already.
    EXPECT_EQ(kActions[1].description, dialog.ItemText(id::Description));
    EXPECT_EQ(kActions[1].group, dialog.ItemText(id::TimeGroup));
    EXPECT_EQ(kActions[1].confirm, dialog.ItemText(id::Confirm));

    const std::vector<int> codes = ActionCodes(dialog);
    ASSERT_EQ(7u, codes.size());
    // Every entry, then back to the first, so that each text really changes.
    for (int position : {6, 5, 4, 3, 2, 1, 0}) {
        SCOPED_TRACE("entry " + std::to_string(position));
        dialog.SelectComboItem(id::Action, position);
        const ActionTexts& expected = kActions[codes[position] - 1];
        EXPECT_EQ(expected.description, dialog.ItemText(id::Description));
        EXPECT_EQ(expected.group, dialog.ItemText(id::TimeGroup));
        EXPECT_EQ(expected.confirm, dialog.ItemText(id::Confirm));
    }
    EXPECT_EQ(std::vector<std::string>{}, m_settings.ValueNames()) << "a selection alone stores nothing";
}

}  // namespace
}  // namespace e2e
