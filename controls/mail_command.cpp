#include "controls/mail_command.h"

#include <cctype>
#include <cstring>

namespace quellix {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

// Left-to-right, non-overlapping; the inserted text is not scanned again.
std::string ReplaceAll(const std::string& text, const std::string& from, const std::string& to)
{
    std::string result;
    size_t pos = 0;
    for (size_t hit; (hit = text.find(from, pos)) != std::string::npos; pos = hit + from.size())
        result.append(text, pos, hit - pos).append(to);
    return result.append(text, pos, std::string::npos);
}

}  // namespace

bool SplitMailCommand(const char* data, size_t length, const std::string& address, MailLaunch* out)
{
    if (!data || length == 0)
        return false;
    const void* zero = std::memchr(data, 0, length);
    const std::string command(data, zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : length);

    if (command.empty() || command[0] != '"')
        return false;
    const size_t quote = command.find('"', 1);
    if (quote == std::string::npos || quote == 1)
        return false;

    size_t rest = quote + 1;
    while (rest < command.size() && IsBlank(command[rest]))
        ++rest;

    if (out) {
        out->program = command.substr(1, quote - 1);
        out->parameters = ReplaceAll(command.substr(rest), "%1", address);
    }
    return true;
}

std::string ExpandMailCommand(const std::string& command, const EnvironmentLookup& lookup)
{
    std::string result;
    size_t pos = 0;
    while (pos < command.size()) {
        const size_t percent = command.find('%', pos);
        if (percent == std::string::npos || percent + 1 == command.size()) {
            result.append(command, pos, std::string::npos);
            break;
        }
        result.append(command, pos, percent - pos);
        const char next = command[percent + 1];
        if (std::isdigit(static_cast<unsigned char>(next)) || next == '*') {
            result.append(command, percent, 2);  // an argument of the command
            pos = percent + 2;
            continue;
        }
        const size_t close = command.find('%', percent + 1);
        std::string value;
        if (close != std::string::npos && close > percent + 1 &&
            lookup(command.substr(percent + 1, close - percent - 1), &value)) {
            result += value;
            pos = close + 1;
        } else {
            result += '%';  // not a variable: the next '%' may begin one
            pos = percent + 1;
        }
    }
    return result;
}

std::string MailtoUrl(const std::string& address)
{
    static const char kScheme[] = "mailto:";
    const size_t schemeLength = sizeof kScheme - 1;
    bool hasScheme = address.size() >= schemeLength;
    for (size_t i = 0; hasScheme && i < schemeLength; ++i)
        hasScheme = std::tolower(static_cast<unsigned char>(address[i])) == kScheme[i];
    return hasScheme ? address : kScheme + address;
}

}  // namespace quellix
