#include "dialog/settings_values.h"

namespace quellix {

namespace {
constexpr unsigned long kRegDword = 4;
}

bool DecodeStoredDword(unsigned long type, const unsigned char* data, unsigned long size, int32_t* value)
{
    if (type != kRegDword || size != 4 || !data || !value)
        return false;
    const uint32_t v = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                       static_cast<uint32_t>(data[2]) << 16 | static_cast<uint32_t>(data[3]) << 24;
    *value = static_cast<int32_t>(v);
    return true;
}

}  // namespace quellix
