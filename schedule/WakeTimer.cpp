#include "schedule/WakeTimer.h"

#include "afx/SystemFunctions.h"
#include "afx/file_time.h"

BOOL CWakeTimer::Set(int64_t wallMs)
{
    if (!m_timer.GetSafeHandle() && !m_timer.Attach(afx::CreateWaitableTimerA(NULL, TRUE, NULL)))
        return FALSE;
    LARGE_INTEGER due;
    due.QuadPart = afx::FileTimeTicksFromMs(wallMs);  // positive: absolute, in UTC
    ::SetLastError(ERROR_SUCCESS);
    // A manual-reset timer that nobody waits on: only its resume flag matters.
    // A refused set leaves the instant set before, which Cancel still drops.
    if (!afx::SetWaitableTimer(m_timer.GetSafeHandle(), &due, 0, NULL, NULL, TRUE))
        return FALSE;
    m_set = true;
    return TRUE;
}

BOOL CWakeTimer::Cancel()
{
    if (!m_set)
        return FALSE;
    m_set = false;
    return afx::CancelWaitableTimer(m_timer.GetSafeHandle());
}
