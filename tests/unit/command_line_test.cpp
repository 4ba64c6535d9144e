#include "app/command_line.h"
#include "schedule/action_catalogue.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

const std::vector<int> kAllActions = {1, 2, 3, 4, 5, 6, 7};
const std::vector<int> kWindows98 = {1, 2, 3, 4, 6};

using Args = std::vector<std::string>;

TEST(CommandLine, SplitsLikeTheRunTime)
{
    struct Case {
        const char* line;
        Args expected;
    } const cases[] = {
        {"Quellix.exe", {}},
        {"Quellix.exe   ", {}},
        {"\"C:\\Program Files\\Quellix\\Quellix.exe\" /shutdown /after 5", {"/shutdown", "/after", "5"}},
        {"  C:\\Q\\Quellix.exe\t/Lock\t-NOW", {"/Lock", "-NOW"}},
        // The program's name takes no escapes and runs on to the next blank.
        {"\"C:\\dir\\\"x /now", {"/now"}},
        {"q \"a b\" c", {"a b", "c"}},
        {"q a\"b c\"d", {"ab cd"}},
        {"q \"\"", {""}},
        {"q \\\"a\\\"", {"\"a\""}},           // \" is a literal quote
        {"q \\\\\"a b\"", {"\\a b"}},         // \\" is one backslash, then a grouping quote
        {"q a\\\\b \\c", {"a\\\\b", "\\c"}},  // backslashes before anything else stay as they are
        {"q \"a\"\"b\"", {"a\"b"}},           // "" inside quotes is one quote
        {"q \"unterminated", {"unterminated"}},
        {"q trailing\\", {"trailing\\"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SplitCommandLine(c.line, true), c.expected) << c.line;
    // What the running copy receives has no program name.
    EXPECT_EQ(SplitCommandLine("/shutdown /at 07:30", false), (Args{"/shutdown", "/at", "07:30"}));
}

TEST(CommandLine, ReadsEveryValidForm)
{
    auto parse = [](const Args& args) {
        ParsedCommand p = ParseCommand(args, kAllActions);
        EXPECT_TRUE(p.ok) << p.problem;
        return p.command;
    };
    EXPECT_TRUE(parse({}).Empty());

    const char* const names[] = {"/logoff", "/poweroff", "/shutdown", "/restart", "/hibernate", "/standby", "/lock"};
    for (int code = ACTION_LOGOFF; code <= ACTION_LOCK; ++code) {
        ScriptedCommand c = parse({names[code - 1], "/now"});
        EXPECT_EQ(c.action, code) << names[code - 1];
        EXPECT_EQ(c.timing, Timing::Now);
    }

    ScriptedCommand at = parse({"-SHUTDOWN", "/At", "7:05", "/noconfirm", "/HIDE"});
    EXPECT_EQ(at.action, ACTION_SHUTDOWN);
    EXPECT_EQ(at.timing, Timing::At);
    EXPECT_EQ(at.atHour, 7);
    EXPECT_EQ(at.atMinute, 5);
    EXPECT_EQ(at.confirmation, Confirmation::DoNotAsk);
    EXPECT_TRUE(at.hide);

    for (const char* minutes : {"1", "60", "2880", "0007"}) {
        ScriptedCommand after = parse({"/standby", "/after", minutes, "/confirm", "/show"});
        EXPECT_EQ(after.timing, Timing::After);
        EXPECT_EQ(after.afterMinutes, std::stoi(minutes));
        EXPECT_EQ(after.confirmation, Confirmation::Ask);
        EXPECT_TRUE(after.show);
    }
    EXPECT_EQ(parse({"/at", "00:00", "/lock"}).atHour, 0);
    EXPECT_EQ(parse({"/at", "23:59", "/lock"}).atMinute, 59);

    ScriptedCommand waitName = parse({"/shutdown", "/WaitFor", "My Render.exe", "/hide"});
    EXPECT_EQ(waitName.timing, Timing::WaitFor);
    EXPECT_EQ(waitName.waitFor.imageName, "My Render.exe");
    EXPECT_TRUE(waitName.hide);
    ScriptedCommand waitId = parse({"-waitfor", "1234", "-lock"});
    EXPECT_EQ(waitId.timing, Timing::WaitFor);
    EXPECT_EQ(waitId.waitFor.processId, 1234u);
    EXPECT_TRUE(waitId.waitFor.imageName.empty());
    for (const char* minutes : {"1", "2880"}) {
        ScriptedCommand idle = parse({"/lock", "/idle", minutes, "/noconfirm"});
        EXPECT_EQ(idle.timing, Timing::Idle);
        EXPECT_EQ(idle.idleMinutes, std::stoi(minutes));
    }
    EXPECT_EQ(parse({"/POSTPONE", "15"}).postponeMinutes, 15);
    EXPECT_TRUE(parse({"/postpone", "2880", "/show"}).show);

    EXPECT_TRUE(parse({"/stop"}).stop);
    EXPECT_TRUE(parse({"/stop", "/show"}).show);
    EXPECT_TRUE(parse({"-show"}).show);
    // The usage wins over anything beside it, bad arguments included.
    EXPECT_TRUE(parse({"/?"}).usage);
    EXPECT_TRUE(parse({"/bogus", "-?"}).usage);
}

TEST(CommandLine, RefusesBadArgumentsNamingTheProblem)
{
    struct Case {
        Args args;
        const char* problem;
    } const cases[] = {
        {{"/reboot", "/now"}, "Unknown switch \"/reboot\"."},
        {{"shutdown"}, "Unknown argument \"shutdown\": switches begin with / or -."},
        {{"/"}, "Unknown argument \"/\": switches begin with / or -."},
        {{""}, "Unknown argument \"\": switches begin with / or -."},
        {{"/shutdown", "/after"}, "/after needs a number of minutes, 1 to 2880."},
        {{"/shutdown", "/after", "0"}, "/after takes 1 to 2880 minutes, not \"0\"."},
        {{"/shutdown", "/after", "2881"}, "/after takes 1 to 2880 minutes, not \"2881\"."},
        {{"/shutdown", "/after", "-5"}, "/after takes 1 to 2880 minutes, not \"-5\"."},
        {{"/shutdown", "/after", "99999999999999999999"},
         "/after takes 1 to 2880 minutes, not \"99999999999999999999\"."},
        {{"/shutdown", "/after", "5m"}, "/after takes 1 to 2880 minutes, not \"5m\"."},
        {{"/shutdown", "/at"}, "/at needs a time of day, HH:MM (24-hour)."},
        {{"/shutdown", "/at", "24:00"}, "/at needs a time of day, HH:MM (24-hour), not \"24:00\"."},
        {{"/shutdown", "/at", "7:5"}, "/at needs a time of day, HH:MM (24-hour), not \"7:5\"."},
        {{"/shutdown", "/at", "12:60"}, "/at needs a time of day, HH:MM (24-hour), not \"12:60\"."},
        {{"/shutdown", "/at", "123:00"}, "/at needs a time of day, HH:MM (24-hour), not \"123:00\"."},
        {{"/shutdown", "/at", "7pm"}, "/at needs a time of day, HH:MM (24-hour), not \"7pm\"."},
        {{"/shutdown", "/now", "/after", "5"}, "Give one timing: /now, /at, /after, /waitfor or /idle, not two."},
        {{"/shutdown", "/now", "/now"}, "Give one timing: /now, /at, /after, /waitfor or /idle, not two."},
        {{"/shutdown", "/waitfor", "a.exe", "/idle", "5"},
         "Give one timing: /now, /at, /after, /waitfor or /idle, not two."},
        {{"/shutdown", "/idle", "5", "/after", "5"}, "Give one timing: /now, /at, /after, /waitfor or /idle, not two."},
        {{"/shutdown", "/waitfor"}, "/waitfor needs a program's name, such as ffmpeg.exe, or a process id."},
        {{"/shutdown", "/waitfor", "C:\\x\\a.exe"},
         "/waitfor needs a program's name, such as ffmpeg.exe, or a process id, not \"C:\\x\\a.exe\"."},
        {{"/shutdown", "/waitfor", "0"},
         "/waitfor needs a program's name, such as ffmpeg.exe, or a process id, not \"0\"."},
        {{"/shutdown", "/waitfor", "/now"},
         "/waitfor needs a program's name, such as ffmpeg.exe, or a process id, not \"/now\"."},
        {{"/waitfor", "a.exe"}, "A timing needs an action, for example /shutdown."},
        {{"/lock", "/idle"}, "/idle needs a number of minutes, 1 to 2880."},
        {{"/lock", "/idle", "0"}, "/idle takes 1 to 2880 minutes, not \"0\"."},
        {{"/lock", "/idle", "2881"}, "/idle takes 1 to 2880 minutes, not \"2881\"."},
        {{"/idle", "5"}, "A timing needs an action, for example /shutdown."},
        {{"/postpone"}, "/postpone needs a number of minutes, 1 to 2880."},
        {{"/postpone", "0"}, "/postpone takes 1 to 2880 minutes, not \"0\"."},
        {{"/postpone", "15m"}, "/postpone takes 1 to 2880 minutes, not \"15m\"."},
        {{"/postpone", "5", "/postpone", "5"}, "Give /postpone once."},
        {{"/postpone", "5", "/shutdown", "/now"},
         "/postpone moves the running countdown: give it without an action or a timing."},
        {{"/postpone", "5", "/lock"}, "/postpone moves the running countdown: give it without an action or a timing."},
        {{"/postpone", "5", "/after", "5"},
         "/postpone moves the running countdown: give it without an action or a timing."},
        {{"/postpone", "5", "/stop"}, "Give /postpone or /stop, not both."},
        {{"/postpone", "5", "/hide"}, "/hide goes with a countdown: an action with /at, /after, /waitfor or /idle."},
        {{"/postpone", "5", "/noconfirm"}, "/confirm and /noconfirm go with an action."},
        {{"/shutdown", "/restart", "/now"}, "Give one action, not both /shutdown and /restart."},
        {{"/shutdown"}, "/shutdown needs a timing: /now, /at HH:MM, /after N, /waitfor NAME.exe or /idle N."},
        {{"/after", "5"}, "A timing needs an action, for example /shutdown."},
        {{"/noconfirm"}, "/confirm and /noconfirm go with an action."},
        {{"/lock", "/now", "/confirm", "/noconfirm"}, "Give /confirm or /noconfirm, not both."},
        {{"/lock", "/now", "/stop"}, "/stop cannot be given with an action."},
        {{"/lock", "/after", "5", "/hide", "/show"}, "Give /hide or /show, not both."},
        {{"/lock", "/now", "/hide"}, "/hide goes with a countdown: an action with /at, /after, /waitfor or /idle."},
        {{"/hide"}, "/hide goes with a countdown: an action with /at, /after, /waitfor or /idle."},
    };
    for (const Case& c : cases) {
        const ParsedCommand parsed = ParseCommand(c.args, kAllActions);
        EXPECT_FALSE(parsed.ok) << c.problem;
        EXPECT_EQ(parsed.problem, c.problem);
    }
    // An action the system does not offer: hibernate and lock on Windows 98.
    EXPECT_EQ(ParseCommand({"/hibernate", "/now"}, kWindows98).problem, "This system does not offer /hibernate.");
    EXPECT_EQ(ParseCommand({"/lock", "/after", "1"}, kWindows98).problem, "This system does not offer /lock.");
    EXPECT_TRUE(ParseCommand({"/standby", "/now"}, kWindows98).ok);
}

TEST(CommandLine, FormatReadsBackUnchanged)
{
    const Args commands[] = {
        {"/lock", "/now", "/noconfirm"},
        {"/Shutdown", "/at", "7:05", "/hide"},
        {"-restart", "-after", "0120", "-confirm", "-show"},
        {"/stop", "/show"},
        {"/show"},
        {"/shutdown", "/waitfor", "My Render.exe", "/hide"},
        {"/restart", "/waitfor", "ffmpeg.exe"},
        {"/lock", "/waitfor", "0042", "/noconfirm"},
        {"/lock", "/idle", "0030", "/show"},
        {"/postpone", "15"},
        {"/postpone", "15", "/show"},
        {"/?"},
        {"/shutdown", "/after", "5", "/QUIET"},
        {"-quiet", "/stop"},
    };
    for (const Args& args : commands) {
        const ParsedCommand first = ParseCommand(args, kAllActions);
        ASSERT_TRUE(first.ok) << first.problem;
        const std::string text = FormatCommand(first.command);
        const ParsedCommand again = ParseCommand(SplitCommandLine(text, false), kAllActions);
        ASSERT_TRUE(again.ok) << text << ": " << again.problem;
        EXPECT_EQ(again.command, first.command) << text;
    }
    ParsedCommand at = ParseCommand({"/shutdown", "/at", "7:05", "/hide"}, kAllActions);
    EXPECT_EQ(FormatCommand(at.command), "/shutdown /at 07:05 /hide");
    EXPECT_EQ(FormatCommand(ScriptedCommand()), "");
    ParsedCommand waitFor = ParseCommand({"/shutdown", "/waitfor", "My Render.exe"}, kAllActions);
    EXPECT_EQ(FormatCommand(waitFor.command), "/shutdown /waitfor \"My Render.exe\"");
}

// "/quiet" changes how the copy speaks, not what it does: alone it is a bare
// start, and it is known even on a command line that is refused.
TEST(CommandLine, QuietIsKnownAlsoWhenRefused)
{
    const struct {
        Args args;
        bool ok, quiet, empty;
    } rows[] = {
        {{"/quiet"}, true, true, true},
        {{"-Quiet", "/lock", "/now"}, true, true, false},
        {{"/bogus", "/quiet"}, false, true, false},
        {{"/quiet", "/after", "5"}, false, true, false},
        {{"/?", "/quiet"}, true, true, false},
        {{"/bogus"}, false, false, false},
        {{"quiet"}, false, false, false},
        {{"/quieter"}, false, false, false},
    };
    for (const auto& r : rows) {
        const ParsedCommand p = ParseCommand(r.args, kAllActions);
        EXPECT_EQ(p.ok, r.ok) << r.args[0] << ": " << p.problem;
        EXPECT_EQ(WantsQuiet(r.args), r.quiet) << r.args[0];
        if (p.ok) {
            EXPECT_EQ(p.command.Empty(), r.empty) << r.args[0];
        }
    }
    EXPECT_EQ(FormatCommand(ParseCommand({"/stop", "/quiet"}, kAllActions).command), "/stop /quiet");
}

}  // namespace
}  // namespace quellix
