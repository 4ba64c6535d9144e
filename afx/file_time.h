// The system's clock format, FILETIME: 100 ns steps since 1601-01-01 00:00 UTC.
// The program counts milliseconds since 1970-01-01 00:00 UTC.
#pragma once

#include <cstdint>

namespace afx {

constexpr int64_t kFileTimeTicksPerMs = 10000;
// 369 years, 89 of them leap years, from 1601 to 1970.
constexpr int64_t kFileTimeEpochMs = 11644473600000LL;

constexpr int64_t MsSince1970(uint64_t fileTimeTicks)
{
    return static_cast<int64_t>(fileTimeTicks / kFileTimeTicksPerMs) - kFileTimeEpochMs;
}

}  // namespace afx
