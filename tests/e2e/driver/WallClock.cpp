#include "tests/e2e/driver/WallClock.h"

namespace e2e {

int64_t WallClockMs()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return static_cast<int64_t>((static_cast<ULONGLONG>(now.dwHighDateTime) << 32 | now.dwLowDateTime) / 10000);
}

SYSTEMTIME LocalTimeAt(int64_t wallMs)
{
    const ULONGLONG ticks = static_cast<ULONGLONG>(wallMs) * 10000;
    FILETIME utc = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    FILETIME local = {};
    FileTimeToLocalFileTime(&utc, &local);
    SYSTEMTIME time = {};
    FileTimeToSystemTime(&local, &time);
    return time;
}

}  // namespace e2e
