#include "afx/ddx_parse.h"

#include <climits>
#include <cstdint>

namespace afx {

namespace {
bool IsBlank(char c) { return c == ' ' || c == '\t'; }
}  // namespace

bool ParseDialogInt(const char* text, int* value)
{
    if (!text)
        return false;
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    if (*p < '0' || *p > '9')
        return false;
    // Accumulated as a magnitude; stops growing once past every int.
    int64_t magnitude = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        if (magnitude <= INT_MAX)
            magnitude = magnitude * 10 + (*p - '0');
    while (IsBlank(*p))
        ++p;
    if (*p != '\0')
        return false;
    const int64_t v = negative ? -magnitude : magnitude;
    if (v < INT_MIN || v > INT_MAX)
        return false;
    if (value)
        *value = static_cast<int>(v);
    return true;
}

bool ParseDialogIntInRange(const char* text, int minVal, int maxVal, int* value)
{
    int parsed = 0;
    if (!ParseDialogInt(text, &parsed) || parsed < minVal || parsed > maxVal)
        return false;
    if (value)
        *value = parsed;
    return true;
}

std::string FormatWithArgs(const char* pattern, const std::string& a1, const std::string& a2)
{
    std::string out;
    if (!pattern)
        return out;
    for (const char* p = pattern; *p; ++p) {
        if (p[0] == '%' && (p[1] == '1' || p[1] == '2')) {
            out += p[1] == '1' ? a1 : a2;
            ++p;
        } else {
            out += *p;
        }
    }
    return out;
}

}  // namespace afx
