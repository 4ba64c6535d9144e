// The minutes field of the "after" mode: what OK says about bad values, and
// where its spin arrows stop.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/ScheduleSteps.h"

namespace e2e {
namespace {

using namespace quellix;

class MinutesField : public QuellixTest {
protected:
    // Starts the program and switches it to "after": "Now" cleared, "after" picked.
    Dialog StartInAfterMode()
    {
        Dialog dialog = StartFirstCopy();
        if (!dialog)
            return dialog;
        dialog.Click(id::Now);
        EXPECT_FALSE(dialog.IsChecked(id::Now));
        dialog.Click(id::After);
        EXPECT_TRUE(dialog.IsChecked(id::After));
        EXPECT_TRUE(dialog.IsEnabled(id::Minutes)) << "\"after\" did not enable the minutes field";
        return dialog;
    }

    // Presses OK and expects the framework's exclamation box with `message`;
    // answers it and expects the focus back in the minutes field.
    void ExpectRefusal(Dialog& dialog, const std::string& message)
    {
        dialog.ClickAsync(id::Ok);
        MessageBoxWindow box = WaitForMessageBox(FirstCopy().Id(), kMessageCaption);
        ASSERT_TRUE(box) << "no message box \"" << kMessageCaption << "\" after OK";
        EXPECT_EQ(message, box.Message());
        EXPECT_EQ(BoxIcon::Exclamation, box.Icon()) << ToString(box.Icon());
        EXPECT_EQ(std::vector<std::string>{"OK"}, box.Buttons());

        box.Answer(IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the message box stayed open";
        EXPECT_TRUE(WaitUntil([&] { return dialog.HasFocus(id::Minutes); }, 2000))
            << "the focus is not back in the minutes field";
        EXPECT_TRUE(dialog.Visible());
        EXPECT_TRUE(dialog.IsEnabled(id::Ok)) << "a countdown seems to have started";
        EXPECT_EQ("", dialog.ItemText(id::Remaining));
        EXPECT_EQ(std::vector<std::string>{}, m_settings.ValueNames()) << "a refused OK must store nothing";
        EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    }
};

class MinutesOutOfRange : public MinutesField, public ::testing::WithParamInterface<const char*> {};

TEST_P(MinutesOutOfRange, OkShowsTheRangeMessage)
{
    Dialog dialog = StartInAfterMode();
    ASSERT_TRUE(dialog);
    dialog.TypeText(id::Minutes, GetParam());
    ASSERT_EQ(GetParam(), dialog.ItemText(id::Minutes));
    ExpectRefusal(dialog, "Please enter an integer between 1 and 2880.");
}

INSTANTIATE_TEST_SUITE_P(BelowAndAbove, MinutesOutOfRange, ::testing::Values("0", "3000", "2881"));

class MinutesNotANumber : public MinutesField, public ::testing::WithParamInterface<const char*> {};

TEST_P(MinutesNotANumber, OkShowsTheIntegerMessage)
{
    Dialog dialog = StartInAfterMode();
    ASSERT_TRUE(dialog);
    // The field takes digits only from the keyboard; put the text in directly.
    dialog.SetItemText(id::Minutes, GetParam());
    ASSERT_EQ(GetParam(), dialog.ItemText(id::Minutes));
    ExpectRefusal(dialog, "Please enter an integer.");
}

INSTANTIATE_TEST_SUITE_P(Texts, MinutesNotANumber, ::testing::Values("abc", ""));

// A bad value left in the field counts only for "after": "at" and "Now" work
// without a word about a field the user cannot reach.
class MinutesLeftBad : public MinutesField, public ::testing::WithParamInterface<const char*> {};

TEST_P(MinutesLeftBad, OtherModesDoNotLookAtTheField)
{
    Dialog dialog = StartInAfterMode();
    ASSERT_TRUE(dialog);
    dialog.SetItemText(id::Minutes, GetParam());
    dialog.Click(id::At);
    EXPECT_FALSE(dialog.IsEnabled(id::Minutes));

    dialog.ClickAsync(id::Ok);
    ASSERT_TRUE(WaitUntil(
        [&] { return !dialog.IsEnabled(id::Ok) || !OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty(); }));
    EXPECT_TRUE(OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty()) << "OK with \"at\" was refused";
    ASSERT_FALSE(dialog.IsEnabled(id::Ok)) << "OK with \"at\" started no countdown";
    EXPECT_EQ(5u, m_settings.Dword("TurnOffDur").value_or(99)) << "the last good minutes are kept";
    dialog.Click(id::Cancel);
    ASSERT_TRUE(dialog.IsEnabled(id::Ok));

    // "Now": straight to the question, answered No.
    dialog.Click(id::Now);
    EXPECT_TRUE(OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty()) << "checking \"Now\" brought up a message";
    dialog.ClickAsync(id::Ok);
    MessageBoxWindow prompt = WaitForPrompt(FirstCopy().Id(), kActionTimeout);
    ASSERT_TRUE(prompt) << "OK with \"Now\" did not ask its question";
    prompt.Answer(IDNO);
    EXPECT_TRUE(WaitUntil([&] { return OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty(); }));
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
}

INSTANTIATE_TEST_SUITE_P(Values, MinutesLeftBad, ::testing::Values("0", "3000", ""));

// A good value typed before choosing another mode is not lost.
TEST_F(MinutesField, AGoodValueTypedBeforeChoosingAtIsStored)
{
    Dialog dialog = StartInAfterMode();
    ASSERT_TRUE(dialog);
    dialog.TypeText(id::Minutes, "90");
    dialog.Click(id::At);
    dialog.Click(id::Ok);
    ASSERT_FALSE(dialog.IsEnabled(id::Ok)) << "OK with \"at\" started no countdown";
    EXPECT_EQ(0u, m_settings.Dword("TurnOffAfter").value_or(99));
    EXPECT_EQ(90u, m_settings.Dword("TurnOffDur").value_or(99));
}

// Toggling "Now" with a value OK would refuse leaves the field within reach,
// says nothing, and the corrected value starts the countdown.
TEST_F(MinutesField, NowToggledOverABadValueLeavesTheFieldToCorrect)
{
    Dialog dialog = StartInAfterMode();
    ASSERT_TRUE(dialog);
    dialog.SetItemText(id::Minutes, "0");
    dialog.Click(id::Now);
    ASSERT_TRUE(dialog.IsChecked(id::Now));
    dialog.Click(id::Now);
    ASSERT_FALSE(dialog.IsChecked(id::Now));
    EXPECT_TRUE(OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty()) << "toggling \"Now\" brought up a message";
    for (int control : {id::At, id::After, id::Minutes, id::MinutesSpin, id::MinLabel})
        EXPECT_TRUE(dialog.IsEnabled(control)) << "control " << control << " stayed disabled";
    EXPECT_TRUE(dialog.IsChecked(id::After));

    dialog.TypeText(id::Minutes, "3");
    dialog.ClickAsync(id::Ok);
    EXPECT_TRUE(WaitUntil([&] { return !dialog.IsEnabled(id::Ok); }, 3000)) << "the corrected value started nothing";
    EXPECT_EQ("Left 3 min. and 0 sec.", dialog.ItemText(id::Remaining));
    dialog.Click(id::Cancel);
}

TEST_F(MinutesField, TakesDigitsOnlyFromTheKeyboard)
{
    Dialog dialog = StartInAfterMode();
    ASSERT_TRUE(dialog);
    dialog.TypeText(id::Minutes, "1a2-");
    EXPECT_EQ("12", dialog.ItemText(id::Minutes));
}

TEST_F(MinutesField, SpinArrowsStopAtOneAndAt2880)
{
    Dialog dialog = StartInAfterMode();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(std::make_pair(1, 2880), dialog.UpDownRange(id::MinutesSpin));

    dialog.TypeText(id::Minutes, "2");
    dialog.SendKey(VK_DOWN, id::Minutes);
    EXPECT_EQ("1", dialog.ItemText(id::Minutes));
    dialog.SendKey(VK_DOWN, id::Minutes);
    EXPECT_EQ("1", dialog.ItemText(id::Minutes));

    // What the arrows put in, OK takes: no thousands separator.
    dialog.TypeText(id::Minutes, "2879");
    dialog.SendKey(VK_UP, id::Minutes);
    EXPECT_EQ("2880", dialog.ItemText(id::Minutes));
    dialog.SendKey(VK_UP, id::Minutes);
    EXPECT_EQ("2880", dialog.ItemText(id::Minutes));
    dialog.ClickAsync(id::Ok);
    EXPECT_TRUE(WaitUntil([&] { return !dialog.IsEnabled(id::Ok); }, 3000)) << "OK refused the arrows' 2880";
    EXPECT_TRUE(OpenMessageBoxes(FirstCopy().Id(), dialog.Handle()).empty());
    EXPECT_EQ("Left 48 hour(s) ", dialog.ItemText(id::Remaining));
    dialog.Click(id::Cancel);
}

}  // namespace
}  // namespace e2e
