#include "afx/Time.h"

#include "afx/file_time.h"

namespace {
afx::ZoneChange ChangeFrom(const SYSTEMTIME& st)
{
    afx::ZoneChange change;
    change.year = st.wYear;
    change.month = st.wMonth;
    change.dayOfWeek = st.wDayOfWeek;
    change.day = st.wDay;
    change.hour = st.wHour;
    change.minute = st.wMinute;
    change.second = st.wSecond;
    return change;
}
}  // namespace

afx::UtcOffsetFn LocalZoneOffset()
{
    TIME_ZONE_INFORMATION tzi = {};
    afx::ZoneRules zone;
    if (::GetTimeZoneInformation(&tzi) != TIME_ZONE_ID_INVALID) {
        zone.bias = tzi.Bias;
        zone.standardBias = tzi.StandardBias;
        zone.daylightBias = tzi.DaylightBias;
        zone.standardDate = ChangeFrom(tzi.StandardDate);
        zone.daylightDate = ChangeFrom(tzi.DaylightDate);
    }
    return [zone](int64_t utcSeconds) { return afx::UtcOffsetAt(zone, utcSeconds); };
}

afx::CivilTime CivilFromSystemTime(const SYSTEMTIME& st)
{
    afx::CivilTime t;
    t.year = st.wYear;
    t.month = st.wMonth;
    t.day = st.wDay;
    t.hour = st.wHour;
    t.minute = st.wMinute;
    t.second = st.wSecond;
    t.dayOfWeek = st.wDayOfWeek;
    return t;
}

CTime::CTime(const SYSTEMTIME& local)
{
    m_time = afx::UtcFromLocal(afx::SecondsFromCivil(CivilFromSystemTime(local)), LocalZoneOffset()).first;
}

int64_t CTime::GetCurrentTimeMs()
{
    FILETIME ft;
    ::GetSystemTimeAsFileTime(&ft);
    return afx::MsSince1970(static_cast<uint64_t>(ft.dwHighDateTime) << 32 | ft.dwLowDateTime);
}

CTime CTime::GetCurrentTime() { return CTime(GetCurrentTimeMs() / 1000); }

bool CTime::GetAsSystemTime(SYSTEMTIME& local) const
{
    const afx::CivilTime t = afx::CivilFromSeconds(m_time + LocalZoneOffset()(m_time));
    if (t.year < 1601 || t.year > 30827)
        return false;
    local.wYear = static_cast<WORD>(t.year);
    local.wMonth = static_cast<WORD>(t.month);
    local.wDayOfWeek = static_cast<WORD>(t.dayOfWeek);
    local.wDay = static_cast<WORD>(t.day);
    local.wHour = static_cast<WORD>(t.hour);
    local.wMinute = static_cast<WORD>(t.minute);
    local.wSecond = static_cast<WORD>(t.second);
    local.wMilliseconds = 0;
    return true;
}
