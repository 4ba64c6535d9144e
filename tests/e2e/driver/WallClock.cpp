#include "tests/e2e/driver/WallClock.h"

namespace e2e {

int64_t MsFromFileTime(const FILETIME& time)
{
    return static_cast<int64_t>((static_cast<ULONGLONG>(time.dwHighDateTime) << 32 | time.dwLowDateTime) / 10000);
}

FILETIME FileTimeFromMs(int64_t ms)
{
    const ULONGLONG ticks = static_cast<ULONGLONG>(ms) * 10000;
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

int64_t WallClockMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return MsFromFileTime(now);
}

SYSTEMTIME LocalTimeAt(int64_t wallMs)
{
    const FILETIME utc = FileTimeFromMs(wallMs);
    FILETIME local = {};
    FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&local, &time);
    return time;
}

}  // namespace e2e
