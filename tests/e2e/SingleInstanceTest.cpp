// Only one copy runs: a later copy hands over to the first one and ends.
#include "tests/e2e/QuellixTest.h"
#include "tests/e2e/driver/HeldAtCall.h"

namespace e2e {
namespace {

using namespace quellix;

class SingleInstance : public QuellixTest {
protected:
    // Starts one later copy and expects it to end without showing a window.
    void ExpectLaterCopyEndsWithoutWindow(const std::string& arguments = "")
    {
        Process& later = StartCopy(arguments);
        ASSERT_TRUE(later.Started());
        ExpectEndsWithoutWindow(later);
    }

    // `copy` ends soon, and no window of it showed meanwhile.
    void ExpectEndsWithoutWindow(const Process& copy)
    {
        bool showedWindow = false;
        const bool ended = WaitUntil(
            [&] {
                showedWindow |= static_cast<bool>(FindTopLevel(copy.Id(), [](const Window& w) { return w.Visible(); }));
                return !copy.Running();
            },
            kStartTimeout, 5);
        EXPECT_TRUE(ended) << "the later copy did not end";
        EXPECT_FALSE(showedWindow) << "the later copy showed a window";
    }

    void ExpectDialogRestored(const Dialog& dialog)
    {
        EXPECT_TRUE(WaitUntil([&] { return dialog.Visible() && !dialog.Minimized() && dialog.Foreground(); }))
            << "the first copy's dialog did not come back: visible " << dialog.Visible() << ", minimised "
            << dialog.Minimized() << ", in front " << dialog.Foreground();
        EXPECT_TRUE(FirstCopy().Running());
    }
};

// How the first copy's dialog is left before the later copy starts.
enum class Presence { InFront, Behind, Minimized, Hidden };

const char* ToString(Presence presence)
{
    switch (presence) {
    case Presence::InFront:
        return "InFront";
    case Presence::Behind:
        return "Behind";
    case Presence::Minimized:
        return "Minimized";
    case Presence::Hidden:
        return "Hidden";
    }
    return "?";
}

class LaterCopy : public SingleInstance, public ::testing::WithParamInterface<Presence> {};

TEST_P(LaterCopy, BringsTheFirstDialogBackAndEnds)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);

    // A window of this test program, to stand in front of the dialog.
    HWND other = NULL;
    switch (GetParam()) {
    case Presence::InFront:
        break;
    case Presence::Behind:
        other =
            CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 0, 0, 1024, 748, NULL, NULL, NULL, NULL);
        SetForegroundWindow(other);
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; })) << "could not cover the dialog";
        break;
    case Presence::Minimized:
        ASSERT_TRUE(dialog.Minimize()) << "the dialog could not be minimised";
        break;
    case Presence::Hidden:
        ASSERT_TRUE(dialog.Hide()) << "the dialog could not be hidden";
        break;
    }

    // A later copy neither reads nor creates the settings.
    ASSERT_TRUE(m_settings.Delete());
    ASSERT_NO_FATAL_FAILURE(ExpectLaterCopyEndsWithoutWindow());
    ExpectDialogRestored(dialog);
    EXPECT_FALSE(m_settings.Exists()) << "the later copy created the settings key";
    if (other)
        DestroyWindow(other);
}

INSTANTIATE_TEST_SUITE_P(Presences, LaterCopy,
                         ::testing::Values(Presence::InFront, Presence::Behind, Presence::Minimized, Presence::Hidden),
                         [](const ::testing::TestParamInfo<Presence>& info) { return ToString(info.param); });

TEST_F(SingleInstance, ThreeQuickCopiesAreThreeRestoresAndAllEnd)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    ASSERT_TRUE(dialog.Hide()) << "the dialog could not be hidden";

    Process* later[3];
    for (Process*& copy : later)
        copy = &StartCopy();
    for (Process* copy : later)
        EXPECT_TRUE(copy->WaitForExit(kStartTimeout)) << "a later copy did not end";
    ExpectDialogRestored(dialog);

    // Each later copy posted one wake; the first copy has taken all three.
    HANDLE semaphore = OpenSemaphoreA(SEMAPHORE_ALL_ACCESS, FALSE, kSemaphoreName);
    ASSERT_TRUE(semaphore) << "the first copy's semaphore is missing: " << LastErrorText();
    Sleep(300);
    EXPECT_EQ(static_cast<DWORD>(WAIT_TIMEOUT), WaitForSingleObject(semaphore, 0))
        << "a wake was left unserved in the semaphore";
    CloseHandle(semaphore);
}

// The moment a start decides whether it is the first copy: one copy is held
// as it is about to create the semaphore, and another starts meanwhile. Only
// one of them may run; the held one, coming second, wakes the other and ends.
TEST_F(SingleInstance, ACopyHeldAsItCreatesTheSemaphoreYieldsToOneStartedMeanwhile)
{
    HeldAtCall held(ExePath(), "kernel32.dll", "CreateSemaphoreA", kStartTimeout);
    ASSERT_TRUE(held.Held()) << held.Error();

    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog) << "the copy started meanwhile showed no dialog";
    ASSERT_TRUE(dialog.Hide()) << "the dialog could not be hidden";

    ASSERT_TRUE(held.Release()) << LastErrorText();
    ExpectEndsWithoutWindow(held.Copy());
    ExpectDialogRestored(dialog);
}

// Copies that start together must still agree on one first copy.
TEST_F(SingleInstance, TwentyCopiesStartedTogetherShowOneDialog)
{
    for (int round = 1; round <= 3; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        std::string error;
        std::vector<Process> copies = StartTogether(ExePath(), 20, {}, &error);
        ASSERT_EQ(20u, copies.size()) << error;

        // All but one end; the one left shows its dialog.
        auto running = [&] {
            std::vector<Process*> left;
            for (Process& copy : copies)
                if (copy.Running())
                    left.push_back(&copy);
            return left;
        };
        WaitUntil([&] { return running().size() <= 1; }, 60000, 50);
        Sleep(500);  // a second first copy would still be busy with its dialog
        std::vector<Process*> left = running();
        ASSERT_EQ(1u, left.size()) << "copies still running";
        Dialog dialog = WaitForMainDialog(left.front()->Id(), kStartTimeout);
        ASSERT_TRUE(dialog) << "the copy left running shows no dialog";

        dialog.PressKey(VK_ESCAPE, id::Action);
        EXPECT_TRUE(left.front()->WaitForExit(kActionTimeout)) << "the dialog did not end after Escape";
    }
}

TEST_F(SingleInstance, WithoutTheSemaphoreEachCopyRunsAlone)
{
    // Another object holding the name: the program can neither create nor
    // open its semaphore.
    HANDLE squatter = CreateMutexA(NULL, FALSE, kSemaphoreName);
    ASSERT_TRUE(squatter) << LastErrorText();

    Dialog first = StartFirstCopy();
    ASSERT_TRUE(first) << "without its semaphore the program must still show its dialog";
    ASSERT_TRUE(first.Hide()) << "the dialog could not be hidden";

    // A later copy cannot reach the first one: it runs a dialog of its own.
    Process& second = StartCopy();
    Dialog own = WaitForMainDialog(second.Id(), kStartTimeout);
    EXPECT_TRUE(own) << "the second copy showed no dialog";
    EXPECT_FALSE(first.Visible()) << "the first copy was woken without a semaphore";

    // Both still work as single dialogs.
    if (own) {
        own.PressKey(VK_ESCAPE);
        EXPECT_TRUE(second.WaitForExit(kActionTimeout));
    }
    first.PressKey(VK_ESCAPE, id::Action);
    EXPECT_TRUE(FirstCopy().WaitForExit(kActionTimeout)) << "the first copy did not end after Escape";
    CloseHandle(squatter);
}

TEST_F(SingleInstance, FirstCopyEndingFreesTheName)
{
    Dialog dialog = StartFirstCopy();
    ASSERT_TRUE(dialog);
    dialog.PressKey(VK_ESCAPE);
    ASSERT_TRUE(FirstCopy().WaitForExit(kActionTimeout));

    // The next start is a first copy again, with a dialog of its own.
    Process& next = StartCopy();
    EXPECT_TRUE(WaitForMainDialog(next.Id(), kStartTimeout)) << "a start after the end showed no dialog";
}

}  // namespace
}  // namespace e2e
