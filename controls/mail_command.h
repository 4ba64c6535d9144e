// Splitting of the registered mail command line for the mail link.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace quellix {

// The longest registered command the mail link reads: 1,024 bytes of text and
// the terminating zero.
const size_t kMailCommandBytes = 1025;

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

// An environment variable's value: true and *value when it is set.
using EnvironmentLookup = std::function<bool(const std::string& name, std::string* value)>;

// A command of type REG_EXPAND_SZ with its environment variables replaced,
// read from left to right as the shell reads it: "%1" (a digit or '*' after
// the '%') is the command's argument and stays; "%NAME%" of a set variable
// becomes its value, which is not read again; anything else stays as it is.
std::string ExpandMailCommand(const std::string& command, const EnvironmentLookup& lookup);

// The address as the shell itself hands it to a mail program: "mailto:"
// followed by the address, unless it is such a URL already.
std::string MailtoUrl(const std::string& address);

}  // namespace quellix
