#include "afx/Time.h"

namespace {
// FILETIME counts 100 ns steps from 1601-01-01.
const int64_t kEpochDifference = 11644473600LL;
const int64_t kTicksPerSecond = 10000000LL;

int64_t SecondsFromFileTime(const FILETIME& ft)
{
    ULARGE_INTEGER value;
    value.LowPart = ft.dwLowDateTime;
    value.HighPart = ft.dwHighDateTime;
    return static_cast<int64_t>(value.QuadPart / kTicksPerSecond) - kEpochDifference;
}

FILETIME FileTimeFromSeconds(int64_t seconds)
{
    ULARGE_INTEGER value;
    value.QuadPart = static_cast<ULONGLONG>(seconds + kEpochDifference) * kTicksPerSecond;
    FILETIME ft;
    ft.dwLowDateTime = value.LowPart;
    ft.dwHighDateTime = value.HighPart;
    return ft;
}
}  // namespace

CTime::CTime(const SYSTEMTIME& local)
{
    SYSTEMTIME utc;
    FILETIME ft;
    if (TzSpecificLocalTimeToSystemTime(NULL, &local, &utc) && SystemTimeToFileTime(&utc, &ft))
        m_time = SecondsFromFileTime(ft);
}

CTime CTime::GetCurrentTime()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    return CTime(SecondsFromFileTime(ft));
}

bool CTime::GetAsSystemTime(SYSTEMTIME& local) const
{
    FILETIME ft = FileTimeFromSeconds(m_time);
    SYSTEMTIME utc;
    return FileTimeToSystemTime(&ft, &utc) && SystemTimeToTzSpecificLocalTime(NULL, &utc, &local);
}
