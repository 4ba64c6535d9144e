#include "app/command_line.h"

#include "dialog/settings_values.h"
#include "schedule/action_catalogue.h"

#include <algorithm>

namespace quellix {

const char kUsageText[] =
    "Quellix [action timing] [/confirm | /noconfirm] [/hide | /show]\n"
    "Quellix /stop | /show | /postpone N | /?\n"
    "Any of them with /quiet\n"
    "\n"
    "Action: /logoff, /poweroff, /shutdown, /restart, /hibernate, /standby, /lock\n"
    "Timing: /now, /at HH:MM (24-hour, the next time the clock shows it), /after N (1 to 2880 minutes)\n"
    "  /waitfor NAME.exe | PID: when every process of that name, or the process of that id, has ended\n"
    "  /idle N: after N minutes (1 to 2880) without keyboard or mouse input\n"
    "/confirm, /noconfirm: ask, or do not ask, before acting (this run only)\n"
    "/hide: the countdown runs in the notification area from the start (a first start does so anyway)\n"
    "/show: bring the dialog back (with a countdown on a first start: keep the dialog shown)\n"
    "/stop: stop a running countdown\n"
    "/postpone N: move the running countdown's end N minutes (1 to 2880) later\n"
    "/quiet: show no message box for the command line (for scheduled tasks): only the exit status tells\n"
    "\n"
    "Examples: Quellix /shutdown /waitfor ffmpeg.exe, Quellix /lock /idle 20, Quellix /postpone 15\n"
    "\n"
    "A command given while Quellix runs is carried out by the running copy.\n"
    "Started from a console, these messages go to its output instead of a box.\n"
    "Exit status: 0 accepted, 1 bad arguments, 2 the running copy did not answer, "
    "3 the action is not possible on this computer, 4 the running copy is busy, "
    "5 nothing to postpone.";

namespace {

struct ActionName {
    int code;
    const char* name;
};
const ActionName kActionNames[] = {
    {ACTION_LOGOFF, "logoff"},   {ACTION_POWEROFF, "poweroff"},   {ACTION_SHUTDOWN, "shutdown"},
    {ACTION_RESTART, "restart"}, {ACTION_HIBERNATE, "hibernate"}, {ACTION_STANDBY, "standby"},
    {ACTION_LOCK, "lock"},
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

bool AllDigits(const std::string& s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "H:MM" or "HH:MM", 00:00 to 23:59.
bool ParseTimeOfDay(const std::string& text, int* hour, int* minute)
{
    const std::string::size_type colon = text.find(':');
    if (colon == std::string::npos || colon < 1 || colon > 2 || text.size() != colon + 3)
        return false;
    const std::string h = text.substr(0, colon), m = text.substr(colon + 1);
    if (!AllDigits(h) || !AllDigits(m))
        return false;
    *hour = std::stoi(h);
    *minute = std::stoi(m);
    return *hour <= 23 && *minute <= 59;
}

// 1 to 2880; the length check keeps absurd digit strings from overflowing.
bool ParseMinutes(const std::string& text, int* minutes)
{
    if (!AllDigits(text) || text.size() > 6)
        return false;
    *minutes = std::stoi(text);
    return IsValidMinutes(*minutes);
}

ParsedCommand Refuse(const std::string& problem)
{
    ParsedCommand parsed;
    parsed.problem = problem;
    return parsed;
}

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

std::string TwoDigits(int n)
{
    return std::string(1, static_cast<char>('0' + n / 10)) + static_cast<char>('0' + n % 10);
}

}  // namespace

bool ScriptedCommand::Empty() const
{
    ScriptedCommand bare = *this;
    bare.quiet = false;
    return bare == ScriptedCommand();
}

bool ScriptedCommand::operator==(const ScriptedCommand& o) const
{
    return action == o.action && timing == o.timing && atHour == o.atHour && atMinute == o.atMinute &&
           afterMinutes == o.afterMinutes && confirmation == o.confirmation && stop == o.stop && show == o.show &&
           hide == o.hide && usage == o.usage && quiet == o.quiet && waitFor == o.waitFor &&
           idleMinutes == o.idleMinutes && postponeMinutes == o.postponeMinutes;
}

const char* ActionSwitch(int actionCode)
{
    static const char* const kSwitches[] = {"/logoff",    "/poweroff", "/shutdown", "/restart",
                                            "/hibernate", "/standby",  "/lock"};
    return actionCode >= ACTION_LOGOFF && actionCode <= ACTION_LOCK ? kSwitches[actionCode - ACTION_LOGOFF] : nullptr;
}

std::vector<std::string> SplitCommandLine(const std::string& line, bool skipProgram)
{
    std::vector<std::string> arguments;
    std::string::size_type i = 0;
    const std::string::size_type n = line.size();
    if (skipProgram) {
        // The program's name: quoted, or up to the first blank; no escapes.
        while (i < n && IsBlank(line[i]))
            ++i;
        bool quoted = false;
        for (; i < n && (quoted || !IsBlank(line[i])); ++i) {
            if (line[i] == '"')
                quoted = !quoted;
        }
    }
    for (;;) {
        while (i < n && IsBlank(line[i]))
            ++i;
        if (i >= n)
            break;
        std::string argument;
        bool quoted = false;
        while (i < n && (quoted || !IsBlank(line[i]))) {
            std::string::size_type slashes = 0;
            while (i < n && line[i] == '\\') {
                ++slashes;
                ++i;
            }
            if (i < n && line[i] == '"') {
                // 2n backslashes and a quote: n backslashes and a quote that
                // groups; 2n + 1: n backslashes and a literal quote.
                argument.append(slashes / 2, '\\');
                if (slashes % 2) {
                    argument += '"';
                    ++i;
                } else if (quoted && i + 1 < n && line[i + 1] == '"') {
                    argument += '"';  // "" inside quotes stands for one quote
                    i += 2;
                } else {
                    quoted = !quoted;
                    ++i;
                }
            } else {
                argument.append(slashes, '\\');
                if (i < n && (quoted || !IsBlank(line[i])))
                    argument += line[i++];
            }
        }
        arguments.push_back(argument);
    }
    return arguments;
}

ParsedCommand ParseCommand(const std::vector<std::string>& arguments, const std::vector<int>& offered)
{
    ParsedCommand parsed;
    ScriptedCommand& c = parsed.command;
    for (const std::string& argument : arguments) {
        if (argument == "/?" || argument == "-?") {
            c.usage = true;  // the usage, whatever stands beside it
            parsed.ok = true;
            return parsed;
        }
    }
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument.size() < 2 || (argument[0] != '/' && argument[0] != '-'))
            return Refuse("Unknown argument " + Quoted(argument) + ": switches begin with / or -.");
        const std::string name = Lower(argument.substr(1));
        const ActionName* action = nullptr;
        for (const ActionName& a : kActionNames)
            if (name == a.name)
                action = &a;
        const bool isTiming = name == "now" || name == "at" || name == "after" || name == "waitfor" || name == "idle";
        // The minutes that follow /after, /idle or /postpone; empty, or what is wrong with them.
        auto readMinutes = [&](int* minutes) -> std::string {
            if (i + 1 >= arguments.size())
                return "/" + name + " needs a number of minutes, 1 to 2880.";
            const std::string& value = arguments[++i];
            if (!ParseMinutes(value, minutes))
                return "/" + name + " takes 1 to 2880 minutes, not " + Quoted(value) + ".";
            return "";
        };
        if (action) {
            if (c.action)
                return Refuse(std::string("Give one action, not both ") + ActionSwitch(c.action) + " and " +
                              ActionSwitch(action->code) + ".");
            c.action = action->code;
        } else if (isTiming && c.timing != Timing::None) {
            return Refuse("Give one timing: /now, /at, /after, /waitfor or /idle, not two.");
        } else if (name == "now") {
            c.timing = Timing::Now;
        } else if (name == "at") {
            if (i + 1 >= arguments.size())
                return Refuse("/at needs a time of day, HH:MM (24-hour).");
            const std::string& value = arguments[++i];
            if (!ParseTimeOfDay(value, &c.atHour, &c.atMinute))
                return Refuse("/at needs a time of day, HH:MM (24-hour), not " + Quoted(value) + ".");
            c.timing = Timing::At;
        } else if (name == "after") {
            const std::string problem = readMinutes(&c.afterMinutes);
            if (!problem.empty())
                return Refuse(problem);
            c.timing = Timing::After;
        } else if (name == "waitfor") {
            if (i + 1 >= arguments.size())
                return Refuse("/waitfor needs a program's name, such as ffmpeg.exe, or a process id.");
            const std::string& value = arguments[++i];
            if (!ParseWaitTarget(value, &c.waitFor))
                return Refuse("/waitfor needs a program's name, such as ffmpeg.exe, or a process id, not " +
                              Quoted(value) + ".");
            c.timing = Timing::WaitFor;
        } else if (name == "idle") {
            const std::string problem = readMinutes(&c.idleMinutes);
            if (!problem.empty())
                return Refuse(problem);
            c.timing = Timing::Idle;
        } else if (name == "postpone") {
            if (c.postponeMinutes)
                return Refuse("Give /postpone once.");
            const std::string problem = readMinutes(&c.postponeMinutes);
            if (!problem.empty())
                return Refuse(problem);
        } else if (name == "confirm" || name == "noconfirm") {
            const Confirmation chosen = name == "confirm" ? Confirmation::Ask : Confirmation::DoNotAsk;
            if (c.confirmation != Confirmation::Stored && c.confirmation != chosen)
                return Refuse("Give /confirm or /noconfirm, not both.");
            c.confirmation = chosen;
        } else if (name == "stop") {
            c.stop = true;
        } else if (name == "show") {
            c.show = true;
        } else if (name == "hide") {
            c.hide = true;
        } else if (name == "quiet") {
            c.quiet = true;
        } else {
            return Refuse("Unknown switch " + Quoted(argument) + ".");
        }
    }

    if (c.action && std::find(offered.begin(), offered.end(), c.action) == offered.end())
        return Refuse(std::string("This system does not offer ") + ActionSwitch(c.action) + ".");
    if (c.postponeMinutes && (c.action || c.timing != Timing::None))
        return Refuse("/postpone moves the running countdown: give it without an action or a timing.");
    if (c.postponeMinutes && c.stop)
        return Refuse("Give /postpone or /stop, not both.");
    if (c.action && c.timing == Timing::None)
        return Refuse(std::string(ActionSwitch(c.action)) +
                      " needs a timing: /now, /at HH:MM, /after N, /waitfor NAME.exe or /idle N.");
    if (!c.action && c.timing != Timing::None)
        return Refuse("A timing needs an action, for example /shutdown.");
    if (!c.action && c.confirmation != Confirmation::Stored)
        return Refuse("/confirm and /noconfirm go with an action.");
    if (c.stop && c.action)
        return Refuse("/stop cannot be given with an action.");
    if (c.hide && c.show)
        return Refuse("Give /hide or /show, not both.");
    if (c.hide && (c.timing == Timing::None || c.timing == Timing::Now))
        return Refuse("/hide goes with a countdown: an action with /at, /after, /waitfor or /idle.");
    parsed.ok = true;
    return parsed;
}

bool WantsQuiet(const std::vector<std::string>& arguments)
{
    for (const std::string& argument : arguments)
        if (argument.size() > 1 && (argument[0] == '/' || argument[0] == '-') && Lower(argument.substr(1)) == "quiet")
            return true;
    return false;
}

std::string FormatCommand(const ScriptedCommand& c)
{
    std::vector<std::string> parts;
    if (c.usage)
        parts.push_back("/?");
    if (const char* action = ActionSwitch(c.action))
        parts.push_back(action);
    switch (c.timing) {
    case Timing::None:
        break;
    case Timing::Now:
        parts.push_back("/now");
        break;
    case Timing::At:
        parts.push_back("/at " + TwoDigits(c.atHour) + ":" + TwoDigits(c.atMinute));
        break;
    case Timing::After:
        parts.push_back("/after " + std::to_string(c.afterMinutes));
        break;
    case Timing::WaitFor:
        // A name may hold blanks but never a quote or a backslash, so quotes alone keep it one argument.
        if (!c.waitFor.imageName.empty())
            parts.push_back("/waitfor " + (c.waitFor.imageName.find_first_of(" \t") == std::string::npos
                                               ? c.waitFor.imageName
                                               : Quoted(c.waitFor.imageName)));
        else
            parts.push_back("/waitfor " + std::to_string(c.waitFor.processId));
        break;
    case Timing::Idle:
        parts.push_back("/idle " + std::to_string(c.idleMinutes));
        break;
    }
    if (c.postponeMinutes)
        parts.push_back("/postpone " + std::to_string(c.postponeMinutes));
    if (c.confirmation == Confirmation::Ask)
        parts.push_back("/confirm");
    else if (c.confirmation == Confirmation::DoNotAsk)
        parts.push_back("/noconfirm");
    if (c.stop)
        parts.push_back("/stop");
    if (c.show)
        parts.push_back("/show");
    if (c.hide)
        parts.push_back("/hide");
    if (c.quiet)
        parts.push_back("/quiet");
    std::string text;
    for (const std::string& part : parts)
        text += (text.empty() ? "" : " ") + part;
    return text;
}

}  // namespace quellix
