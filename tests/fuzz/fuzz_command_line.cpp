// libFuzzer target for the command line: splitting and parsing.
//
// Input layout: byte 0 picks the actions the system offers (bit k offers
// code k + 1); the rest is the command line, program name first, as
// GetCommandLineA gives it and a later copy hands it on.
#include "app/command_line.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

using namespace quellix;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

size_t Count(const std::string& text, char c)
{
    size_t n = 0;
    for (char x : text)
        n += x == c;
    return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size == 0)
        return 0;
    std::vector<int> offered;
    for (int code = 1; code <= 7; ++code)
        if (bytes[0] & (1u << (code - 1)))
            offered.push_back(code);
    const std::string line(reinterpret_cast<const char*>(bytes + 1), size - 1);

    const std::vector<std::string> arguments = SplitCommandLine(line, true);
    // Splitting only drops and never adds text: no argument holds a blank
    // outside quotes, and together they are no longer than the line.
    size_t total = 0;
    for (const std::string& argument : arguments)
        total += argument.size();
    Check(total <= line.size());
    Check(arguments.size() <= line.size());
    if (Count(line, '"') == 0 && Count(line, '\\') == 0) {
        for (const std::string& argument : arguments)
            Check(argument.find(' ') == std::string::npos && argument.find('\t') == std::string::npos);
    }

    const ParsedCommand parsed = ParseCommand(arguments, offered);
    Check(parsed.ok == parsed.problem.empty());
    // An accepted /quiet is the one WantsQuiet finds (which sees it in a refused line too).
    Check(!parsed.ok || parsed.command.usage || parsed.command.quiet == WantsQuiet(arguments));
    if (!parsed.ok)
        return 0;
    const ScriptedCommand& c = parsed.command;
    if (c.usage)
        return 0;
    // What is accepted is consistent: an action with a timing, offered here;
    // values in range; and it reads back unchanged from its own text, which
    // is what the running copy receives.
    Check((c.action != 0) == (c.timing != Timing::None));
    if (c.action)
        Check(ActionSwitch(c.action) != nullptr);
    bool isOffered = c.action == 0;
    for (int code : offered)
        isOffered |= code == c.action;
    Check(isOffered);
    Check(c.timing != Timing::After || (c.afterMinutes >= 1 && c.afterMinutes <= 2880));
    Check(c.timing != Timing::At || (c.atHour >= 0 && c.atHour <= 23 && c.atMinute >= 0 && c.atMinute <= 59));
    Check(c.timing != Timing::Idle || (c.idleMinutes >= 1 && c.idleMinutes <= 2880));
    Check((c.timing == Timing::WaitFor) == !c.waitFor.Empty());
    Check(c.waitFor.imageName.empty() || c.waitFor.processId == 0);
    Check(c.waitFor.imageName.find_first_of("\\/:\"") == std::string::npos);
    // A push-back moves what runs: it comes alone, in range.
    Check(c.postponeMinutes == 0 || (c.postponeMinutes >= 1 && c.postponeMinutes <= 2880 && !c.action && !c.stop));
    Check(!(c.stop && c.action));
    Check(!(c.hide && c.show));
    const ParsedCommand again = ParseCommand(SplitCommandLine(FormatCommand(c), false), offered);
    Check(again.ok && again.command == c);
    return 0;
}
