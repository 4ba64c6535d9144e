#include "schedule/wait_target.h"

#include "afx/ascii.h"

#include <algorithm>

namespace quellix {

namespace {
// A file name's longest component on NTFS and FAT alike.
constexpr size_t kMaxImageName = 255;

bool AllDigits(const std::string& s)
{
    return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Characters no file name holds; a folder separator or drive would make it a
// path, which the process list does not give on NT.
bool ForbiddenInName(char c)
{
    return static_cast<unsigned char>(c) < 0x20 || std::string("\\/:*?\"<>|").find(c) != std::string::npos;
}
}  // namespace

bool ParseWaitTarget(const std::string& value, WaitTarget* target)
{
    if (AllDigits(value)) {
        // Digit by digit: the C library's strtoull would pull in functions old
        // msvcrt lacks. Leading zeros aside, ten digits at most keep it within 64 bits.
        const std::string::size_type first = std::min(value.find_first_not_of('0'), value.size());
        if (value.size() - first > 10)
            return false;
        uint64_t id = 0;
        for (std::string::size_type i = first; i < value.size(); ++i)
            id = id * 10 + static_cast<uint64_t>(value[i] - '0');
        if (id == 0 || id > 0xFFFFFFFFull)
            return false;
        target->imageName.clear();
        target->processId = static_cast<uint32_t>(id);
        return true;
    }
    // Blanks around a name are no part of it, and a name of dots alone is none;
    // a leading '-' is a switch that took the place of a forgotten value.
    if (value.empty() || value.size() > kMaxImageName || value.front() == ' ' || value.back() == ' ' ||
        value.front() == '-' || value.find_first_not_of('.') == std::string::npos ||
        std::any_of(value.begin(), value.end(), ForbiddenInName))
        return false;
    target->imageName = value;
    target->processId = 0;
    return true;
}

std::string ImageNameOf(const std::string& exeFile)
{
    const std::string::size_type slash = exeFile.find_last_of("\\/");
    return slash == std::string::npos ? exeFile : exeFile.substr(slash + 1);
}

bool SameImageName(const std::string& wanted, const std::string& exeFile)
{
    return !wanted.empty() && afx::AsciiLower(wanted) == afx::AsciiLower(ImageNameOf(exeFile));
}

}  // namespace quellix
