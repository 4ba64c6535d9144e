// The dialog's side of the command line: the command this copy was started
// with, and those a later copy hands over, carried out the way the user's
// clicks would be (OK, "Stop Timer", "Restore", minimising to the tray), but
// without storing the choices they make.
#include "dialog/ShutdownDlg.h"

#include "app/CommandHandOver.h"
#include "app/ShutdownApp.h"
#include "resource.h"
#include "schedule/Conditions.h"

using namespace quellix;

void CShutdownDlg::SetScriptedCommand(const ScriptedCommand& command) { m_commands.emplace_back(command, true); }

// From OnInitDialog: later copies may find this dialog from now on.
void CShutdownDlg::PublishCommandWindow()
{
    ::SetPropA(m_hWnd, kCommandWindowProperty, reinterpret_cast<HANDLE>(kCommandWindowMark));
    if (!m_commands.empty())
        PostMessage(WM_RUN_COMMAND);
}

void CShutdownDlg::ForgetCommandWindow() { ::RemovePropA(m_hWnd, kCommandWindowProperty); }

// A later copy's command. Sent from another process, which waits: it is only
// checked and queued here, and carried out once the answer has gone.
LRESULT CShutdownDlg::OnCopyData(WPARAM, LPARAM lParam)
{
    const COPYDATASTRUCT* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!data || data->dwData != kCommandDataTag || data->cbData > kMaxCommandBytes || (data->cbData && !data->lpData))
        return 0;
    const std::string text(static_cast<const char*>(data->lpData), data->cbData);
    const ParsedCommand parsed = ParseCommand(SplitCommandLine(text, false), OfferedActionCodes());
    if (!parsed.ok || parsed.command.usage || parsed.command.Empty())
        return CommandReply(kExitBadArguments);
    const int status = CommandStatus(parsed.command);
    // A refusal the running copy explains itself is carried out to show its box.
    if (status == kExitAccepted || status == kExitNotPossible) {
        m_commands.emplace_back(parsed.command, false);
        PostMessage(WM_RUN_COMMAND);
    }
    return CommandReply(status);
}

LRESULT CShutdownDlg::OnRunCommand(WPARAM, LPARAM)
{
    if (m_commands.empty())
        return 0;
    const std::pair<ScriptedCommand, bool> next = m_commands.front();
    m_commands.pop_front();
    RunScriptedCommand(next.first, next.second);
    return 0;
}

// A new schedule or a postponement waits while a question or a report is
// open or an expired countdown's request is under way; a stop or a restore
// never waits.
int CShutdownDlg::CommandStatus(const ScriptedCommand& command)
{
    if (command.postponeMinutes) {
        if (BusyWithAction())
            return kExitBusy;
        return m_model.Running() ? kExitAccepted : kExitNothingToPostpone;
    }
    if (!command.Schedules())
        return kExitAccepted;
    if (BusyWithAction())
        return kExitBusy;
    if (!CapabilityRefusalFor(command.action).empty())
        return kExitNotPossible;
    CProcessWatch probe;
    int status = kExitAccepted;
    ConditionRefusal(command, &probe, &status);
    return status;
}

BOOL CShutdownDlg::BusyWithAction() const
{
    const Schedule schedule = m_model.State().schedule;
    return (schedule != Schedule::Idle && schedule != Schedule::Counting) || !::IsWindowEnabled(m_hWnd);
}

void CShutdownDlg::RunScriptedCommand(const ScriptedCommand& command, bool bOwnCommandLine)
{
    if (command.stop)
        Apply(m_model.CommandStop());  // as the tray menu's "Stop Timer"; also ends a "Now" question
    if (command.show)
        OnRestore();
    if (command.postponeMinutes)
        PostponeCountdown(command.postponeMinutes);
    if (!command.Schedules() || BusyWithAction())
        return;
    if (bOwnCommandLine && !CapabilityRefusalFor(command.action).empty())
        theApp.m_nExitStatus = kExitNotPossible;  // OK below says why
    if (m_bRunning)
        OnStopTimer();  // the new schedule takes the place of the running one
    SetControlsFor(command);
    if (command.timing == Timing::WaitFor || command.timing == Timing::Idle)
        StartCondition(command, bOwnCommandLine);
    else
        StartFromControls(false);
    // A countdown this copy was started with has nobody at the dialog: it
    // runs in the tray, as with /hide, unless /show asks for the dialog.
    const bool toTray = command.hide || (bOwnCommandLine && !command.show);
    if (toTray)
        Apply(m_model.CommandHide());  // nothing when no countdown started
}

// The controls as the user would set them for `command`; OK then reads them.
void CShutdownDlg::SetControlsFor(const ScriptedCommand& command)
{
    for (int i = 0; i < m_comboAction.GetCount(); ++i) {
        if (static_cast<int>(m_comboAction.GetItemData(i)) == command.action)
            m_comboAction.SetCurSel(i);
    }
    OnSelChangeAction();

    // A wait for a program leaves the timing controls as they were: none of them says it.
    if (command.timing != Timing::WaitFor)
        SetTimingControlsFor(command);

    BOOL confirm = command.confirmation == Confirmation::Ask;
    if (command.confirmation == Confirmation::Stored)
        confirm = StoredConfirmation();
    Apply(m_model.ConfirmationSet(confirm != FALSE));
}

// An idle countdown shows as "after" its minutes.
void CShutdownDlg::SetTimingControlsFor(const ScriptedCommand& command)
{
    const bool now = command.timing == Timing::Now;
    ::CheckDlgButton(m_hWnd, IDC_NOW, now ? BST_CHECKED : BST_UNCHECKED);
    if (!now)
        ::CheckRadioButton(m_hWnd, IDC_RADIO_AT, IDC_RADIO_AFTER,
                           command.timing == Timing::At ? IDC_RADIO_AT : IDC_RADIO_AFTER);
    OnNow();  // the members and the enabled controls follow the buttons; the picker is set below
    if (command.timing == Timing::At) {
        SYSTEMTIME local = {};
        ::GetLocalTime(&local);  // OK counts to the next time the clock shows this time of day
        local.wHour = static_cast<WORD>(command.atHour);
        local.wMinute = static_cast<WORD>(command.atMinute);
        local.wSecond = 0;
        local.wMilliseconds = 0;
        SetPickerTime(local);
    } else if (command.timing != Timing::Now) {
        const int minutes = command.timing == Timing::Idle ? command.idleMinutes : command.afterMinutes;
        ::SetDlgItemInt(m_hWnd, IDC_DURATION, static_cast<UINT>(minutes), FALSE);
    }
}
