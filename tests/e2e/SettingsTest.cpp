// The remembered choices: what OK stores, what the next start shows, and what
// the program makes of stored data it did not write.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

#include <sddl.h>

#include <algorithm>

namespace e2e {
namespace {

using namespace quellix;

// Values stored behind the program's back, as a user with the registry editor could.
void StoreRaw(const char* name, DWORD type, const std::vector<BYTE>& data)
{
    EXPECT_TRUE(RegistryKey(kSettingsKey).SetRaw(name, type, data)) << name;
}

void StoreDword(const char* name, DWORD value) { EXPECT_TRUE(RegistryKey(kSettingsKey).SetDword(name, value)) << name; }

void StoreString(const char* name, const char* text)
{
    EXPECT_TRUE(RegistryKey(kSettingsKey).SetString(name, text)) << name;
}

std::vector<std::string> Sorted(std::vector<std::string> names)
{
    std::sort(names.begin(), names.end());
    return names;
}

constexpr char kTemplateDescription[] =
    "Ends your session, shuts down Windows and turns off power. System must support the power-off feature.";

using Settings = QuellixTest;

TEST_F(Settings, ChoicesOfAStartedCountdownAreRestoredOnTheNextStart)
{
    {
        Process& copy = StartCopy();
        Dialog dialog = WaitForMainDialog(copy.Id(), kStartTimeout);
        ASSERT_TRUE(dialog);
        const int restart = PositionOfCode(dialog, 4);
        ASSERT_EQ(3, restart);
        dialog.SelectComboItem(id::Action, restart);
        StartCountdownAfter(dialog, "90");
        EXPECT_EQ(3u, m_settings.Dword("Action").value_or(99));
        EXPECT_EQ(0u, m_settings.Dword("TurnOffNow").value_or(99));
        EXPECT_EQ(1u, m_settings.Dword("TurnOffAfter").value_or(99));
        EXPECT_EQ(90u, m_settings.Dword("TurnOffDur").value_or(99));
        copy.Kill();
    }

    Process& copy = StartCopy();
    Dialog dialog = WaitForMainDialog(copy.Id(), kStartTimeout);
    ASSERT_TRUE(dialog);
    EXPECT_EQ(3, dialog.ComboSelection(id::Action));
    EXPECT_EQ("Restart time", dialog.ItemText(id::TimeGroup));
    EXPECT_FALSE(dialog.IsChecked(id::Now));
    EXPECT_FALSE(dialog.IsChecked(id::At));
    EXPECT_TRUE(dialog.IsChecked(id::After));
    EXPECT_EQ("90", dialog.ItemText(id::Minutes));
    EXPECT_TRUE(dialog.IsEnabled(id::Minutes));
    EXPECT_FALSE(dialog.IsEnabled(id::TimeAt));
    EXPECT_TRUE(dialog.IsChecked(id::Confirm));
    // Not resumed: no countdown runs.
    EXPECT_TRUE(dialog.IsEnabled(id::Ok));
    Sleep(1200);
    EXPECT_EQ("", dialog.ItemText(id::Remaining));
    EXPECT_EQ(0, dialog.ProgressPosition(id::Progress));
}

// What the dialog shows after a start with some stored data.
struct Shown {
    int selection = 1;  // "Turn off power"
    bool now = true, at = true, after = false, confirm = true;
    const char* minutes = "5";
};

struct StoredCase {
    const char* name;
    void (*store)();
    Shown shown;
};

void PrintTo(const StoredCase& c, std::ostream* out) { *out << c.name; }

Shown With(void (*change)(Shown&))
{
    Shown shown;
    change(shown);
    return shown;
}

const StoredCase kStoredCases[] = {
    {"NoKey", [] {}, Shown()},
    {"NoValues",
     [] {
         StoreRaw("Other", REG_DWORD, {1, 0, 0, 0});
     },
     Shown()},
    {"AllValid",
     [] {
         StoreDword("Action", 3);
         StoreDword("TurnOffNow", 0);
         StoreDword("TurnOffAfter", 1);
         StoreDword("TurnOffDur", 90);
         StoreDword("ConfirmTurnOff", 0);
     },
     With([](Shown& s) {
         s.selection = 3;
         s.now = s.at = s.confirm = false;
         s.after = true;
         s.minutes = "90";
     })},
    {"Strings",
     [] {
         StoreString("Action", "3");
         StoreString("TurnOffNow", "0");
         StoreString("TurnOffDur", "90");
     },
     Shown()},
    {"Binary",
     [] {
         StoreRaw("Action", REG_BINARY, {3, 0, 0, 0});
         StoreRaw("ConfirmTurnOff", REG_BINARY, {0, 0, 0, 0});
     },
     Shown()},
    {"Qwords",
     [] {
         StoreRaw("Action", REG_QWORD, {3, 0, 0, 0, 0, 0, 0, 0});
         StoreRaw("TurnOffAfter", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0});
     },
     Shown()},
    {"DwordsLongerThanFourBytes",
     [] {
         StoreRaw("Action", REG_DWORD, {3, 0, 0, 0, 0});
         StoreRaw("TurnOffNow", REG_DWORD, {0, 0, 0, 0, 0, 0, 0, 0});
     },
     Shown()},
    {"DwordsShorterThanFourBytes",
     [] {
         StoreRaw("Action", REG_DWORD, {3, 0, 0});
         StoreRaw("TurnOffNow", REG_DWORD, {0});
         StoreRaw("TurnOffDur", REG_DWORD, {90, 0});
         StoreRaw("ConfirmTurnOff", REG_DWORD, {});
     },
     Shown()},
    {"ActionSeven", [] { StoreDword("Action", 7); }, With([](Shown& s) { s.selection = -1; })},
    {"ActionNinetyNine", [] { StoreDword("Action", 99); }, With([](Shown& s) { s.selection = -1; })},
    {"ActionMinusOne", [] { StoreDword("Action", 0xFFFFFFFF); }, With([](Shown& s) { s.selection = -1; })},
    // Minutes the field would refuse count as missing.
    {"DurationZero", [] { StoreDword("TurnOffDur", 0); }, Shown()},
    {"Duration9999", [] { StoreDword("TurnOffDur", 9999); }, Shown()},
    {"Duration2881InAfterMode",
     [] {
         StoreDword("TurnOffNow", 0);
         StoreDword("TurnOffAfter", 1);
         StoreDword("TurnOffDur", 2881);
     },
     With([](Shown& s) {
         s.now = s.at = false;
         s.after = true;
     })},
    {"Duration2880", [] { StoreDword("TurnOffDur", 2880); }, With([](Shown& s) { s.minutes = "2880"; })},
    // A switch other than 0 or 1 is damage and counts as missing.
    {"NowFive", [] { StoreDword("TurnOffNow", 5); }, Shown()},
    {"ConfirmMinusFive", [] { StoreDword("ConfirmTurnOff", static_cast<DWORD>(-5)); }, Shown()},
    {"ConfirmDeadBeef", [] { StoreDword("ConfirmTurnOff", 0xDEADBEEF); }, Shown()},
    {"AfterTwo",
     [] {
         StoreDword("TurnOffNow", 0);
         StoreDword("TurnOffAfter", 2);
     },
     With([](Shown& s) { s.now = false; })},
};

class StoredSettings : public QuellixTest, public ::testing::WithParamInterface<StoredCase> {};

TEST_P(StoredSettings, StartShowsWhatCanBeTakenFromThem)
{
    ASSERT_NO_FATAL_FAILURE(GetParam().store());
    const std::vector<std::string> stored = Sorted(m_settings.ValueNames());
    const Shown& shown = GetParam().shown;

    Process& copy = StartCopy();
    Dialog dialog = WaitForMainDialog(copy.Id(), kStartTimeout);
    ASSERT_TRUE(dialog) << "no dialog" << (copy.Running() ? "" : ": the program has ended");
    Sleep(300);
    EXPECT_TRUE(OpenMessageBoxes(copy.Id(), dialog.Handle()).empty()) << "a message box is open";

    EXPECT_EQ(shown.selection, dialog.ComboSelection(id::Action));
    EXPECT_EQ(shown.now, dialog.IsChecked(id::Now));
    EXPECT_EQ(shown.at, dialog.IsChecked(id::At));
    EXPECT_EQ(shown.after, dialog.IsChecked(id::After));
    EXPECT_EQ(shown.confirm, dialog.IsChecked(id::Confirm));
    EXPECT_EQ(shown.minutes, dialog.ItemText(id::Minutes));
    // The timing controls follow "Now" and the mode.
    EXPECT_EQ(!shown.now, dialog.IsEnabled(id::At));
    EXPECT_EQ(!shown.now, dialog.IsEnabled(id::After));
    EXPECT_EQ(!shown.now && shown.at, dialog.IsEnabled(id::TimeAt));
    EXPECT_EQ(!shown.now && !shown.at, dialog.IsEnabled(id::Minutes));
    if (shown.selection < 0) {
        // Nothing selected: the template's texts stay.
        EXPECT_EQ(kTemplateDescription, dialog.ItemText(id::Description));
        EXPECT_EQ("Turn off computer time", dialog.ItemText(id::TimeGroup));
        EXPECT_EQ("C&onfirm shut down...", dialog.ItemText(id::Confirm));
    }
    EXPECT_EQ("", dialog.ItemText(id::Remaining));
    EXPECT_TRUE(dialog.IsEnabled(id::Ok));
    EXPECT_EQ(stored, Sorted(m_settings.ValueNames())) << "a start stores nothing";
}

INSTANTIATE_TEST_SUITE_P(Cases, StoredSettings, ::testing::ValuesIn(kStoredCases),
                         [](const ::testing::TestParamInfo<StoredCase>& info) { return info.param.name; });

// A stored position outside the list: OK works, but nothing is carried out,
// neither at once nor at the end of a countdown; each time a box says why and
// the dialog stays usable. The lack of a selection is what is stored.
TEST_F(Settings, WithNothingSelectedNothingIsCarriedOut)
{
    StoreDword("Action", 99);
    StoreDword("ConfirmTurnOff", 0);
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    ASSERT_EQ(-1, dialog.ComboSelection(id::Action));
    const auto answerReport = [&](DWORD timeoutMs) {
        MessageBoxWindow box = WaitForMessageBox(FirstCopy().Id(), kMessageCaption, timeoutMs);
        ASSERT_TRUE(box) << "no report of the missing selection";
        EXPECT_EQ("No action is selected in the list.", box.Message());
        EXPECT_EQ(BoxIcon::Exclamation, box.Icon()) << ToString(box.Icon());
        box.Answer(IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); }));
    };

    dialog.ClickAsync(id::Ok);
    answerReport(kActionTimeout);
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    EXPECT_EQ(0xFFFFFFFFu, m_settings.Dword("Action").value_or(99));
    EXPECT_EQ(1u, m_settings.Dword("TurnOffNow").value_or(99));

    const int64_t target = StartCountdownAt(dialog, 2);
    answerReport(static_cast<DWORD>(target - WallClockMs() + 3000));
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    EXPECT_TRUE(WaitUntil([&] { return dialog.IsEnabled(id::Ok); })) << "the countdown did not end";
    EXPECT_TRUE(dialog.IsEnabled(id::Action));
    EXPECT_TRUE(dialog.IsEnabled(id::Cancel));
    EXPECT_TRUE(FirstCopy().Running());
    // The list works, and Escape ends the idle dialog.
    dialog.SelectComboItem(id::Action, 0);
    EXPECT_EQ(0, dialog.ComboSelection(id::Action));
    dialog.PressKey(VK_ESCAPE);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "Escape did not end the idle dialog";
}

// A damaged "ConfirmTurnOff" keeps the question: "Now" asks before acting.
TEST_F(Settings, DamagedConfirmationStillAsks)
{
    StoreDword("ConfirmTurnOff", 7);
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog.IsChecked(id::Confirm));
    ASSERT_TRUE(dialog.IsChecked(id::Now));

    dialog.ClickAsync(id::Ok);
    MessageBoxWindow prompt = WaitForPrompt(FirstCopy().Id(), kActionTimeout);
    ASSERT_TRUE(prompt) << "\"Now\" acted without asking";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    prompt.Answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(prompt.Handle()); }));
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    EXPECT_EQ(7u, m_settings.Dword("ConfirmTurnOff").value_or(99)) << "the stored value is left as it is";
}

// The settings key with reading and writing of values denied to everyone;
// the right to change the permissions and to delete the key stays, so the
// test can undo it.
class UnreadableKey : public QuellixTest {
protected:
    void TearDown() override
    {
        Permit("D:(A;;GA;;;WD)");
        QuellixTest::TearDown();
    }

    static bool Permit(const char* sddl)
    {
        PSECURITY_DESCRIPTOR descriptor = NULL;
        if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(sddl, SDDL_REVISION_1, &descriptor, NULL))
            return false;
        HKEY key = NULL;
        LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, WRITE_DAC, &key);
        if (result == ERROR_SUCCESS) {
            result = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, descriptor);
            RegCloseKey(key);
        }
        LocalFree(descriptor);
        return result == ERROR_SUCCESS;
    }
};

TEST_F(UnreadableKey, LeavesTheDefaultsAndStoresNothing)
{
    StoreDword("Action", 3);
    StoreDword("TurnOffNow", 0);
    // Deny query, set, create, enumerate and notify (0x1F) to everyone.
    ASSERT_TRUE(Permit("D:(D;;0x1F;;;WD)(A;;GA;;;WD)"));
    HKEY probe = NULL;
    const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_READ, &probe);
    if (probe)
        RegCloseKey(probe);
    ASSERT_EQ(ERROR_ACCESS_DENIED, opened) << "this Wine does not enforce the permissions of registry keys";

    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(1, dialog.ComboSelection(id::Action)) << "the stored choice cannot have been read";
    EXPECT_TRUE(dialog.IsChecked(id::Now));
    // Neither the click on the check box nor OK can store anything; no one complains.
    dialog.Click(id::Confirm);
    EXPECT_FALSE(dialog.IsChecked(id::Confirm));
    dialog.ClickAsync(id::Ok);
    ASSERT_TRUE(WaitUntil([&] { return !PowerRequests().empty(); })) << "no request after OK";
    EXPECT_EQ(std::vector<std::string>{"ExitWindowsEx 13"}, PowerRequests());
    EXPECT_TRUE(OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty()) << "a message box is open";

    ASSERT_TRUE(Permit("D:(A;;GA;;;WD)"));
    EXPECT_EQ(Sorted({"Action", "TurnOffNow"}), Sorted(m_settings.ValueNames()));
    EXPECT_EQ(3u, m_settings.Dword("Action").value_or(99));
    EXPECT_EQ(0u, m_settings.Dword("TurnOffNow").value_or(99));
}

}  // namespace
}  // namespace e2e
