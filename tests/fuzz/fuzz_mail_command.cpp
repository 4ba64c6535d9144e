// libFuzzer target for the mail link's command splitting.
//
// Input layout: byte 0 picks how many of the following bytes form an address
// (0..15); the rest is the registry data, passed with its exact length so that
// any read past it is caught by AddressSanitizer.
#include "controls/mail_command.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

using quellix::MailLaunch;
using quellix::SplitMailCommand;

namespace {

void Check(bool ok)
{
    if (!ok)
        std::abort();
}

size_t Count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t pos = text.find(what); pos != std::string::npos; pos = text.find(what, pos + what.size()))
        ++n;
    return n;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f'; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, size_t size)
{
    if (size == 0)
        return 0;
    const size_t addressLength = bytes[0] % 16 < size - 1 ? bytes[0] % 16 : size - 1;
    const std::string fuzzedAddress(reinterpret_cast<const char*>(bytes + 1), addressLength);
    const char* data = reinterpret_cast<const char*>(bytes + 1 + addressLength);
    const size_t length = size - 1 - addressLength;

    // The text as the splitter must see it: up to the first zero byte.
    const void* zero = length ? std::memchr(data, 0, length) : nullptr;
    const std::string text(data, zero ? static_cast<size_t>(static_cast<const char*>(zero) - data) : length);

    // Without any set variable, expansion changes nothing.
    Check(quellix::ExpandMailCommand(text, [](const std::string&, std::string*) { return false; }) == text);

    // A marker address free of '%' and '1' cannot form a new "%1".
    MailLaunch plain;
    const bool ok = SplitMailCommand(data, length, "@", &plain);
    const size_t close = text.size() > 1 ? text.find('"', 1) : std::string::npos;
    const bool splittable = !text.empty() && text[0] == '"' && close != std::string::npos && close > 1;
    Check(ok == splittable);

    MailLaunch other;
    Check(SplitMailCommand(data, length, fuzzedAddress, &other) == ok);
    Check(SplitMailCommand(data, length, "@", nullptr) == ok);
    if (!ok)
        return 0;

    Check(plain.program == text.substr(1, close - 1));
    Check(plain.program.find('"') == std::string::npos);
    Check(other.program == plain.program);
    Check(plain.parameters.find("%1") == std::string::npos);
    Check(plain.parameters.empty() || !IsBlank(plain.parameters[0]));
    Check(plain.parameters.find('\0') == std::string::npos);

    // Each "%1" of the rest became one address, nothing else changed length.
    size_t restStart = close + 1;
    while (restStart < text.size() && IsBlank(text[restStart]))
        ++restStart;
    const std::string rest = text.substr(restStart);
    const size_t replaced = Count(rest, "%1");
    Check(plain.parameters.size() == rest.size() - replaced);
    Check(other.parameters.size() == rest.size() - 2 * replaced + replaced * fuzzedAddress.size());
    if (replaced == 0)
        Check(plain.parameters == rest && other.parameters == rest);
    return 0;
}
