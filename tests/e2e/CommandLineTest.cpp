// The command line: a countdown started, stopped and an action made by
// scripts, each command carried out by the copy already running; bad
// arguments refused with a box, or on the console a copy started from one
// has, or not at all with /quiet; the exit status a waiting script sees; a
// stand-by or hibernate the machine cannot do refused before the wait; the
// timings that wait for a program or for a time without input, and a
// countdown pushed back.
#include "tests/e2e/ScheduleSteps.h"
#include "tests/e2e/TraySteps.h"
#include "tests/e2e/driver/Notepad.h"

#include <commctrl.h>

#include <cstring>
#include <map>
#include <optional>

namespace e2e {
namespace {

using namespace quellix;

// The user's own choices, which no scripted command may overwrite.
const std::map<std::string, DWORD> kOwnChoices = {
    {"Action", 1}, {"TurnOffNow", 1}, {"TurnOffAfter", 0}, {"TurnOffDur", 7}, {"ConfirmTurnOff", 1}};

class CommandLine : public TrayFixture {
protected:
    // The exit status of `copy` once it has ended; a failure and -1 when it does not.
    int ExitStatusOf(Process& copy, DWORD timeoutMs = kStartTimeout)
    {
        if (!copy.WaitForExit(timeoutMs)) {
            ADD_FAILURE() << "the copy did not end";
            return -1;
        }
        return static_cast<int>(copy.ExitCode());
    }

    // The same for a copy that must show no box: one that shows is a failure,
    // and is answered so the copy can end.
    int ExitStatusWithoutBox(Process& copy, DWORD timeoutMs = kStartTimeout)
    {
        const DWORD start = GetTickCount();
        while (!copy.WaitForExit(20)) {
            for (MessageBoxWindow& box : OpenMessageBoxes(copy.Id())) {
                ADD_FAILURE() << "a box showed: " << box.Message();
                box.Answer(IDOK);
            }
            if (GetTickCount() - start > timeoutMs) {
                ADD_FAILURE() << "the copy did not end";
                return -1;
            }
        }
        return static_cast<int>(copy.ExitCode());
    }

    void StoreOwnChoices()
    {
        for (const auto& value : kOwnChoices)
            ASSERT_TRUE(m_settings.SetDword(value.first, value.second));
    }

    void ExpectOwnChoicesKept()
    {
        for (const auto& value : kOwnChoices)
            EXPECT_EQ(std::optional<DWORD>(value.second), m_settings.Dword(value.first)) << value.first;
    }

    // An exclamation box "Quellix" of `pid` whose text begins with `text`; answered.
    void ExpectBox(DWORD pid, const std::string& text, DWORD timeoutMs = kStartTimeout)
    {
        MessageBoxWindow box = WaitForMessageBox(pid, kMessageCaption, timeoutMs);
        ASSERT_TRUE(box) << "no box \"" << text << "\"";
        EXPECT_EQ(text, box.Message().substr(0, text.size()));
        EXPECT_EQ(BoxIcon::Exclamation, box.Icon()) << ToString(box.Icon());
        box.Answer(IDOK);
        EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box.Handle()); })) << "the box stayed open";
    }

    // The tip of the one icon, once it holds `part`; what it held last otherwise.
    std::string WaitForTip(const std::string& part, DWORD timeoutMs = kActionTimeout)
    {
        std::string tip;
        WaitUntil(
            [&] {
                const std::vector<TrayIcon> icons = ShellTrayIcons();
                tip = icons.size() == 1 ? icons[0].tip : std::string();
                return tip.find(part) != std::string::npos;
            },
            timeoutMs, 100);
        return tip;
    }

    // Seconds the dialog shows as left ("Left 1 min. and 5 sec."); none for other texts.
    std::optional<int> SecondsShown() const
    {
        const std::string text = m_dialog.ItemText(id::Remaining);
        int minutes = 0, seconds = 0;
        if (sscanf(text.c_str(), "Left %d min. and %d sec.", &minutes, &seconds) == 2)
            return minutes * 60 + seconds;
        return ShownSeconds(text);
    }
};

// A pointer move of one pixel, as a user's hand makes it.
void NudgeMouse()
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = 1;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
}

TEST_F(CommandLine, ScriptsStartStopAndActThroughTheRunningCopy)
{
    ASSERT_NO_FATAL_FAILURE(StoreOwnChoices());

    // No copy runs: this one counts 2 minutes down, in the tray from the start.
    Process& first = StartCopy("/shutdown /after 2");
    m_dialog = WaitForMainDialog(first.Id(), kStartTimeout);
    ASSERT_TRUE(m_dialog);
    EXPECT_TRUE(WaitForTrayIconCount(1, kStartTimeout))
        << "no icon in the tray; " << m_dialog.ItemText(id::Remaining) << " visible " << m_dialog.Visible() << " ok "
        << m_dialog.IsEnabled(id::Ok);
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.Visible(); })) << "the dialog did not stay hidden";
    const TrayIcon icon = WaitForOneIcon();
    EXPECT_TRUE(icon.tip.find("left 2 min. and 0 sec.") != std::string::npos ||
                icon.tip.find("left 1 min. and 5") != std::string::npos)
        << icon.tip;
    EXPECT_FALSE(m_dialog.IsEnabled(id::Ok)) << "no countdown runs";
    EXPECT_EQ(PositionOfCode(m_dialog, 3), m_dialog.ComboSelection(id::Action)) << "not set to shut down";
    ExpectOwnChoicesKept();

    // A bad argument, from a shortcut (no console): a box that names it,
    // status 1, and the countdown runs on.
    m_startFlags = DETACHED_PROCESS;
    Process& bad = StartCopy("/shutdown /after 0");
    ExpectBox(bad.Id(), "/after takes 1 to 2880 minutes, not \"0\".\n\nQuellix [action timing]");
    EXPECT_EQ(1, ExitStatusOf(bad));
    EXPECT_FALSE(m_dialog.IsEnabled(id::Ok)) << "a refused command line reached the running copy";
    m_startFlags = 0;

    // Stopped from a second process.
    Process& stop = StartCopy("/stop");
    EXPECT_EQ(0, ExitStatusOf(stop));
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.IsEnabled(id::Ok); })) << "the countdown was not stopped";

    // Locked at once without the question: the request is made, and the
    // running copy ends after it as after a lock with "Now".
    Process& lock = StartCopy("/LOCK -now /noconfirm");
    EXPECT_EQ(0, ExitStatusOf(lock));
    EXPECT_TRUE(WaitUntil([&] { return PowerRequests() == std::vector<std::string>{"LockWorkStation"}; }))
        << "no lock request";
    EXPECT_TRUE(first.WaitForExit(kActionTimeout)) << "the running copy did not end after the lock";
    EXPECT_EQ(0u, first.ExitCode());
    ExpectOwnChoicesKept();

    // Nothing to stop: done at once. A copy that holds the name but has no
    // dialog does not answer: status 2, with a box.
    Process& idleStop = StartCopy("/stop");
    EXPECT_EQ(0, ExitStatusOf(idleStop));
    HANDLE semaphore = CreateSemaphoreA(NULL, 0, ::quellix::kSingleInstanceMaxCount, kSemaphoreName);
    ASSERT_TRUE(semaphore) << LastErrorText();
    m_startFlags = DETACHED_PROCESS;
    Process& unanswered = StartCopy("/show");
    ExpectBox(unanswered.Id(), "Quellix is running but did not answer", 20000);
    EXPECT_EQ(2, ExitStatusOf(unanswered));
    // The same with /quiet: no box, only the status.
    Process& quietUnanswered = StartCopy("/show /quiet");
    EXPECT_EQ(2, ExitStatusWithoutBox(quietUnanswered, 20000));
    CloseHandle(semaphore);
    ExpectOwnChoicesKept();
}

// "/stop" while the question before a scripted "Now" is open closes it as No:
// the stop it reports did happen, and nothing is requested or stored.
TEST_F(CommandLine, AStopClosesTheQuestionBeforeANow)
{
    ASSERT_NO_FATAL_FAILURE(StoreOwnChoices());
    m_dialog = StartFirstCopy();
    ASSERT_TRUE(m_dialog);
    Process& lock = StartCopy("/lock /now /confirm");
    EXPECT_EQ(0, ExitStatusOf(lock));
    MessageBoxWindow question = WaitForMessageBox(FirstCopy().Id(), kPromptCaption);
    ASSERT_TRUE(question) << "no question before the lock";

    Process& stop = StartCopy("/stop");
    EXPECT_EQ(0, ExitStatusOf(stop));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(question.Handle()); })) << "the question stayed open";
    EXPECT_TRUE(WaitUntil([&] { return m_dialog.Enabled() && m_dialog.IsEnabled(id::Ok); }));
    Sleep(500);
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    EXPECT_TRUE(FirstCopy().Running()) << "the dialog ended as after a lock";
    ExpectOwnChoicesKept();
}

TEST_F(CommandLine, AHibernateTheMachineCannotDoIsRefusedBeforeTheWait)
{
    const std::string refusal = "Unable to hibernate the computer.\n\nHibernation is turned off on this computer.";
    m_environment = {"QUELLIX_POWER_CAPABILITIES=S1 S4"};  // hibernation turned off
    m_dialog = StartFirstCopy();
    ASSERT_TRUE(m_dialog);
    const int hibernate = PositionOfCode(m_dialog, 5);
    ASSERT_GE(hibernate, 0);
    m_dialog.SelectComboItem(id::Action, hibernate);
    m_dialog.Click(id::Now);
    m_dialog.Click(id::After);
    m_dialog.TypeText(id::Minutes, "5");
    m_dialog.ClickAsync(id::Ok);
    ExpectBox(FirstCopy().Id(), refusal);
    auto expectIdleAndUnsaved = [&] {
        EXPECT_TRUE(WaitUntil([&] { return m_dialog.Enabled(); }));
        for (int on : {id::Ok, id::Now, id::Action, id::Cancel})
            EXPECT_TRUE(m_dialog.IsEnabled(on)) << "control " << on;
        EXPECT_EQ("", m_dialog.ItemText(id::Remaining));
        EXPECT_FALSE(m_settings.Dword("Action")) << "the refused start was saved";
        EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    };
    expectIdleAndUnsaved();

    // From the command line: the running copy says why, the script gets 3.
    Process& scripted = StartCopy("/hibernate /after 5 /noconfirm");
    EXPECT_EQ(3, ExitStatusOf(scripted));
    ExpectBox(FirstCopy().Id(), refusal);
    expectIdleAndUnsaved();

    // Stand by (S1) is possible and counts down.
    Process& standby = StartCopy("/standby /after 5");
    EXPECT_EQ(0, ExitStatusOf(standby));
    EXPECT_TRUE(WaitUntil([&] { return !m_dialog.IsEnabled(id::Ok); })) << "the stand-by countdown did not start";
    const std::string left = m_dialog.ItemText(id::Remaining);
    EXPECT_TRUE(left == "Left 5 min. and 0 sec." || left.rfind("Left 4 min. and 5", 0) == 0) << left;
}

// A file the copy inherits as its standard output or error; read back after.
class CapturedOutput {
public:
    explicit CapturedOutput(const char* name)
    {
        SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, NULL, TRUE};
        m_path = TempDirectory() + name;
        m_file = CreateFileA(m_path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                             &inheritable, CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, NULL);
        EXPECT_NE(INVALID_HANDLE_VALUE, m_file) << m_path << ": " << LastErrorText();
    }
    ~CapturedOutput()
    {
        CloseHandle(m_file);
        DeleteFileA(m_path.c_str());
    }
    HANDLE Handle() const { return m_file; }
    std::string Text() const
    {
        std::string text(GetFileSize(m_file, NULL), '\0');
        DWORD read = 0;
        SetFilePointer(m_file, 0, NULL, FILE_BEGIN);
        if (!text.empty())
            ReadFile(m_file, &text[0], static_cast<DWORD>(text.size()), &read, NULL);
        text.resize(read);
        return text;
    }

private:
    std::string m_path;
    HANDLE m_file = INVALID_HANDLE_VALUE;
};

// Started from a console (this test program is one), the command line's
// messages go to the console's output and error, and /quiet silences them.
TEST_F(CommandLine, FromAConsoleMessagesArePrintedAndNoBoxShows)
{
    const struct {
        const char* arguments;
        int status;
        const char* out;  // how the standard output begins
        const char* err;  // how the standard error begins
    } rows[] = {
        {"/bogus", 1, "", "Unknown switch \"/bogus\".\r\n\r\nQuellix [action timing]"},
        {"/quiet /bogus", 1, "", ""},
        {"/shutdown /after 0 -QUIET", 1, "", ""},
        {"/?", 0, "Quellix [action timing]", ""},
        {"/? /quiet", 0, "", ""},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.arguments);
        CapturedOutput out("qx-stdout.txt"), err("qx-stderr.txt");
        StartOptions options;
        options.stdOut = out.Handle();
        options.stdErr = err.Handle();
        std::string error;
        Process copy = StartProcess(ExePath(), r.arguments, options, &error);
        ASSERT_TRUE(copy.Started()) << error;
        EXPECT_EQ(r.status, ExitStatusWithoutBox(copy));
        const std::string printedOut = out.Text(), printedErr = err.Text();
        EXPECT_EQ(r.out, printedOut.substr(0, strlen(r.out)));
        EXPECT_EQ(r.err, printedErr.substr(0, strlen(r.err)));
        if (!*r.out) {
            EXPECT_EQ("", printedOut);
        }
        if (!*r.err) {
            EXPECT_EQ("", printedErr);
        }
    }
}

// "/waitfor": refused when nobody runs the program; otherwise the tip says
// what it waits for until the program ends, then the warning comes at once
// and the request 30 seconds later.
TEST_F(CommandLine, AShutDownWaitsForAProgramToEnd)
{
    m_startFlags = DETACHED_PROCESS;  // as from Explorer: the refusals show as boxes
    Process& nobody = StartCopy("/shutdown /waitfor nobody-runs-this.exe");
    ExpectBox(nobody.Id(), "nobody-runs-this.exe is not running: there is nothing to wait for.");
    EXPECT_EQ(1, ExitStatusOf(nobody));

    Notepad notepad;
    ASSERT_TRUE(notepad.Started());
    Process& first = StartCopy("/shutdown /waitfor NOTEPAD.EXE /noconfirm");
    m_dialog = WaitForMainDialog(first.Id(), kStartTimeout);
    ASSERT_TRUE(m_dialog);
    EXPECT_NE(std::string::npos, WaitForTip("waiting for NOTEPAD.EXE to end", kStartTimeout).find("Quellix... "));
    EXPECT_EQ("Waiting for NOTEPAD.EXE to end", m_dialog.ItemText(id::Remaining));
    EXPECT_FALSE(m_dialog.IsEnabled(id::Ok));
    EXPECT_TRUE(m_dialog.IsEnabled(id::Cancel));
    Sleep(2000);
    EXPECT_EQ(0, static_cast<int>(m_dialog.Item(id::Progress).Send(PBM_GETPOS, 0, 0))) << "the bar moved";
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());

    // A second copy's /waitfor for nothing is refused there too, and the wait goes on.
    Process& again = StartCopy("/shutdown /waitfor 4000000000");
    ExpectBox(again.Id(), "Process 4000000000 is not running");
    EXPECT_EQ(1, ExitStatusOf(again));

    notepad.End();
    const DWORD ended = GetTickCount();
    EXPECT_EQ(1u, WaitForPopups(first.Id(), 1, 3000).size()) << "no warning when notepad ended";
    const std::string tip = WaitForTip("left ");
    EXPECT_TRUE(tip.find("left 30 sec.") != std::string::npos || tip.find("left 29 sec.") != std::string::npos ||
                tip.find("left 28 sec.") != std::string::npos)
        << tip;
    ASSERT_TRUE(WaitUntil([&] { return !PowerRequests().empty(); }, 40000, 200)) << "no request";
    const DWORD after = GetTickCount() - ended;
    EXPECT_GE(after, 28000u);
    EXPECT_LE(after, 33000u);
    EXPECT_EQ(0u, PowerRequests().front().rfind("ExitWindowsEx", 0)) << PowerRequests().front();
}

// "/idle 1": input before the minute ends starts the count again; without
// input the warning comes, then the lock.
TEST_F(CommandLine, ALockAfterAMinuteWithoutInput)
{
    // Under this Wine a window that appears beneath the pointer counts as
    // input: the warning rising under it would start the count again.
    SetCursorPos(5, 5);
    Process& first = StartCopy("/lock /idle 1 /noconfirm");
    m_dialog = WaitForMainDialog(first.Id(), kStartTimeout);
    ASSERT_TRUE(m_dialog);
    EXPECT_NE(std::string::npos, WaitForTip("left ", kStartTimeout).find("Quellix... left "));
    ASSERT_TRUE(WaitUntil([&] { return SecondsShown().value_or(60) <= 45; }, 20000, 100))
        << m_dialog.ItemText(id::Remaining);

    NudgeMouse();
    EXPECT_TRUE(WaitUntil([&] { return SecondsShown().value_or(0) >= 58; }, 2500, 50))
        << "input did not start the count again: " << m_dialog.ItemText(id::Remaining);
    const DWORD restarted = GetTickCount();
    EXPECT_NE(std::string::npos, WaitForTip("left 5").find("left 5")) << "the tip did not follow";

    EXPECT_EQ(1u, WaitForPopups(first.Id(), 1, 35000).size()) << "no warning";
    const DWORD warned = GetTickCount() - restarted;
    EXPECT_GE(warned, 27000u);
    EXPECT_LE(warned, 33000u);
    EXPECT_EQ(std::vector<std::string>{}, PowerRequests());
    ASSERT_TRUE(WaitUntil([&] { return !PowerRequests().empty(); }, 35000, 200)) << "no lock";
    const DWORD locked = GetTickCount() - restarted;
    EXPECT_GE(locked, 58000u);
    EXPECT_LE(locked, 63000u);
    EXPECT_EQ(std::vector<std::string>{"LockWorkStation"}, PowerRequests());
}

// "/postpone": nothing to push back is status 5; a running countdown ends
// the minutes later, in the dialog and in the tip.
TEST_F(CommandLine, APostponementMovesTheRunningCountdown)
{
    m_startFlags = DETACHED_PROCESS;  // as from Explorer: the refusals show as boxes
    Process& nothing = StartCopy("/postpone 3");
    ExpectBox(nothing.Id(), "There is no countdown to postpone.");
    EXPECT_EQ(5, ExitStatusOf(nothing));

    Process& first = StartCopy("/shutdown /after 2");
    m_dialog = WaitForMainDialog(first.Id(), kStartTimeout);
    ASSERT_TRUE(m_dialog);
    WaitForTip("left ", kStartTimeout);
    Process& postpone = StartCopy("/postpone 3");
    EXPECT_EQ(0, ExitStatusOf(postpone));
    EXPECT_TRUE(WaitUntil([&] { return SecondsShown().value_or(0) > 290; })) << m_dialog.ItemText(id::Remaining);
    EXPECT_LE(SecondsShown().value_or(0), 300);
    const std::string tip = WaitForTip("left 4 min. and 5");
    EXPECT_NE(std::string::npos, tip.find("left 4 min. and 5")) << tip;
    EXPECT_LE(m_dialog.Item(id::Progress).Send(PBM_GETPOS, 0, 0), 1) << "the bar did not start again";

    Process& stop = StartCopy("/stop");
    EXPECT_EQ(0, ExitStatusOf(stop));
    Process& late = StartCopy("/postpone 3");
    ExpectBox(late.Id(), "There is no countdown to postpone.");
    EXPECT_EQ(5, ExitStatusOf(late));
}

}  // namespace
}  // namespace e2e
