// The command line: switches that let a script or a shortcut start, stop or
// show a countdown without a click. Parsed here, without the platform, both
// by the copy started with them and by the running copy they are handed to.
#pragma once

#include <string>
#include <vector>

#include "schedule/timing.h"
#include "schedule/wait_target.h"

namespace quellix {

// Whether the question comes before the action: as stored, or chosen for one run.
enum class Confirmation { Stored, Ask, DoNotAsk };

struct ScriptedCommand {
    int action = 0;  // an ActionCode, 0 when none was named
    Timing timing = Timing::None;
    int atHour = 0, atMinute = 0;  // Timing::At, local 24-hour time
    int afterMinutes = 0;          // Timing::After, 1 to 2880
    // Timings that wait for a condition, and the push-back of a running countdown.
    WaitTarget waitFor;       // Timing::WaitFor
    int idleMinutes = 0;      // Timing::Idle, 1 to 2880
    int postponeMinutes = 0;  // "/postpone": 1 to 2880 minutes later; 0 when not asked
    Confirmation confirmation = Confirmation::Stored;
    bool stop = false;   // stop a running countdown
    bool show = false;   // bring the dialog back
    bool hide = false;   // the countdown runs in the tray from the start
    bool usage = false;  // "/?": the usage, nothing else
    bool quiet = false;  // "/quiet": no box for the command line's own messages, only the exit status

    // Nothing given but perhaps /quiet: the program starts as it always did.
    bool Empty() const;
    // Starts a countdown or acts at once.
    bool Schedules() const { return action != 0; }
    bool operator==(const ScriptedCommand& other) const;
};

struct ParsedCommand {
    bool ok = false;
    ScriptedCommand command;
    std::string problem;  // when not ok: what is wrong, in one sentence
};

// Splits a command line the way the C run-time does: blanks separate
// arguments, double quotes group them, backslashes escape a quote. With
// `skipProgram`, the first word is the program's name, which takes no
// escapes, and is left out.
std::vector<std::string> SplitCommandLine(const std::string& line, bool skipProgram);

// Switches are case-insensitive and start with '/' or '-'. `offered` lists
// the action codes this system offers; naming another action is refused.
ParsedCommand ParseCommand(const std::vector<std::string>& arguments, const std::vector<int>& offered);

// Whether "/quiet" stands among the arguments, also when they are refused:
// a refusal is then not shown either.
bool WantsQuiet(const std::vector<std::string>& arguments);

// The command as arguments again, in a fixed order: what the copy started
// with it hands to the running one. ParseCommand reads it back unchanged.
std::string FormatCommand(const ScriptedCommand& command);

// The switch of an action code ("/shutdown"); nullptr for unknown codes.
const char* ActionSwitch(int actionCode);

// The usage, shown for "/?" and after a refused command line.
extern const char kUsageText[];

// The process's exit status, for scripts that wait for it.
enum ExitStatus : int {
    kExitAccepted = 0,      // carried out or handed over (also "/?", and "/stop" with nothing running)
    kExitBadArguments = 1,  // refused before anything started; a box or the console says why
    kExitNoAnswer = 2,      // a copy runs but did not take the command
    kExitNotPossible = 3,   // this computer cannot carry out the action (hibernation off, no stand-by)
    kExitBusy = 4,          // the running copy is asking a question or carrying out an action
    // "/postpone" with no countdown running
    kExitNothingToPostpone = 5,
};

}  // namespace quellix
