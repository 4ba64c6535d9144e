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

// The FILETIME of `ms` since 1970, for an absolute due time: a positive
// count, since zero and negative ones mean "now" and "relative". Instants
// before 1601 give the smallest, and those the count cannot hold the largest.
constexpr int64_t FileTimeTicksFromMs(int64_t ms)
{
    constexpr int64_t kLastMs = INT64_MAX / kFileTimeTicksPerMs - kFileTimeEpochMs;
    if (ms <= -kFileTimeEpochMs)
        return 1;
    if (ms > kLastMs)
        return INT64_MAX;
    return (ms + kFileTimeEpochMs) * kFileTimeTicksPerMs;
}

}  // namespace afx
