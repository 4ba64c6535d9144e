// The countdowns that wait for a condition. A "/waitfor" countdown counts
// nothing until its processes have ended, then runs the last seconds as any
// countdown; an "/idle" one counts down as "after" and starts again at any
// input. Both are looked at on the countdown's one-second tick alone.
#include "schedule/Conditions.h"

#include "afx/SystemFunctions.h"
#include "app/ShutdownApp.h"
#include "dialog/ShutdownDlg.h"
#include "resource.h"
#include "schedule/remaining_text.h"
#include "tray/reminder_text.h"

using namespace quellix;

std::string ConditionRefusal(const ScriptedCommand& command, CProcessWatch* watch, int* status)
{
    *status = kExitAccepted;
    if (command.timing == Timing::Idle && !afx::CanReadLastInput()) {
        *status = kExitNotPossible;
        return "Waiting for a time without input is not possible on this computer: it needs Windows 2000 or later.";
    }
    if (command.timing != Timing::WaitFor)
        return "";
    switch (watch->Start(command.waitFor)) {
    case CProcessWatch::kWatching:
        return "";
    case CProcessWatch::kNoSuchProcess:
        *status = kExitBadArguments;
        return NothingToWaitForText(command.waitFor);
    case CProcessWatch::kCannotList:
        break;
    }
    *status = kExitNotPossible;
    return "Waiting for a program to end is not possible on this computer: it cannot list the running programs.";
}

// The scripted "/waitfor" or "/idle": refused as OK refuses, with a box.
void CShutdownDlg::StartCondition(const ScriptedCommand& command, bool bOwnCommandLine)
{
    if (!UpdateData(TRUE) || !ActionPossibleHere())
        return;
    int status = kExitAccepted;
    const std::string refusal = ConditionRefusal(command, &m_processWatch, &status);
    if (!refusal.empty()) {
        MessageBox(refusal.c_str(), "Quellix", MB_OK | MB_ICONEXCLAMATION);
        if (bOwnCommandLine)
            theApp.m_nExitStatus = status;
        return;
    }
    if (command.timing == Timing::WaitFor) {
        Apply(m_model.Wait(command.waitFor, false));
        return;
    }
    m_idle.Start(command.idleMinutes, ::GetTickCount());
    // Input may move the end at any moment: no wake timer waits for it.
    Apply(m_model.Ok(Timing::Idle, SpanEndingIn(int64_t{command.idleMinutes} * 60000, false), false));
}

// Once per tick: true when the tick is taken here (the wait goes on, its
// processes have ended, or input started the count again).
bool CShutdownDlg::ConditionTick()
{
    if (m_model.Waiting()) {
        if (m_processWatch.Ended()) {
            CountdownSpan last = SpanEndingIn(int64_t{kWarningSeconds} * 1000, false);
            last.wakeWallMs = WakeInstant(CTime::GetCurrentTimeMs() + last.expiryMs);
            Apply(m_model.ConditionMet(last));
        }
        return true;
    }
    if (!m_idle.Quiet())
        return false;
    LASTINPUTINFO input = {sizeof input, 0};
    if (!afx::GetLastInputInfo(&input))
        return false;
    const int64_t msLeft = m_idle.RestartMsLeft(input.dwTime, ::GetTickCount());
    if (msLeft < 0)
        return false;
    Apply(m_model.CountRestarted(SpanEndingIn(msLeft, false)));
    return true;
}

void CShutdownDlg::StopConditions()
{
    m_processWatch.Stop();
    m_idle.Stop();
}

void CShutdownDlg::SetTipToWaiting(const WaitTarget& target)
{
    lstrcpynA(m_nid.szTip, WaitingTipText(m_strTitle.str(), target).c_str(), sizeof m_nid.szTip);
}
