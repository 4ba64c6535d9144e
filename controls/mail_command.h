// Splitting of the registered mail command line for the mail link.
#pragma once

#include <cstddef>
#include <string>

namespace quellix {

struct MailLaunch {
    std::string program;
    std::string parameters;
};

// data/length: the bytes the registry read returned. They need not be
// terminated and the text ends at the first zero byte. The command must start
// with a double-quoted program path; the parameters are the rest with leading
// white space removed and every "%1" replaced by address. Returns false (and
// leaves *out alone) when the command cannot be split: empty, no leading
// quote, no closing quote, or an empty program.
bool SplitMailCommand(const char* data, size_t length, const std::string& address, MailLaunch* out);

}  // namespace quellix
