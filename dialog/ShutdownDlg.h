// CShutdownDlg: the program's one main window. Every piece of run-time state
// is a member and every behaviour one of its handlers; the member functions
// are defined beside the subsystem they belong to:
//   dialog/    construction, data exchange, initialisation, window handlers, settings
//   schedule/  action list, power requests, timing and countdown
//   tray/      notification-area icon and menu, reminders
#pragma once
#include "afx/afxwin.h"
#include "afx/OwnedHandle.h"

#include <shellapi.h>

#include <deque>
#include <utility>

#include "app/command_line.h"
#include "controls/DialogIcon.h"
#include "schedule/ProcessWatch.h"
#include "schedule/countdown_clock.h"
#include "schedule/dialog_model.h"
#include "schedule/WakeTimer.h"
#include "schedule/idle_rule.h"
#include "tray/ShellIcon.h"

class CShutdownDlg : public CDialog {
public:
    explicit CShutdownDlg(HANDLE hSemaphore, CWnd* pParent = NULL);
    ~CShutdownDlg() override;

    // Restore requested by a later copy of the program, posted by the watcher thread.
    static const UINT WM_WATCHER_RESTORE = WM_APP + 1;
    // Posted to itself by OnInitDialog: start the watcher thread.
    static const UINT WM_START_WATCHER = WM_APP + 2;
    // The picker's default: this many seconds from now.
    static const int kDefaultLeadSeconds = 300;
    // Posted: carry out the next command of the command line, this copy's or one handed over.
    static const UINT WM_RUN_COMMAND = WM_APP + 3;

    // The command this copy was started with, carried out once the dialog is up.
    void SetScriptedCommand(const quellix::ScriptedCommand& command);

    // The progress bar's range, stepped once per hundredth of the count.
    static const int kProgressSteps = 100;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL OnInitDialog() override;
    void OnCancel() override;

    // Window handlers
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    void OnDestroy();
    void OnHideOnMinimize();
    // Control font and banner for the window's resolution.
    void ApplyDpi(UINT dpi);
    LRESULT OnDpiChanged(WPARAM wParam, LPARAM lParam);

    // Settings
    void LoadSettings();
    void SaveSettings();
    void OnConfirmClicked();

    // Actions
    void FillActionList(const OSVERSIONINFOA& version);
    void OnSelChangeAction();
    int SelectedActionCode() const;  // 0 when nothing is selected
    int64_t WakeInstant(int64_t endWallMs) const;
    // The selected action's system request; on refusal `refusal` says why.
    BOOL ExecuteAction(BOOL* pResetAfter, std::string* refusal);

    // Schedule and countdown
    void OnNow();
    void OnAt();
    void OnAfter();
    void OnOkButton();
    void StartFromControls(bool storeChoices);
    void OnCancelButton();
    void OnTimer(UINT_PTR nIDEvent);
    void TakeStep(const quellix::CountdownStep& step);
    void FollowProgress(int position, int seconds);
    LRESULT OnPowerBroadcast(WPARAM wParam, LPARAM lParam);
    LRESULT OnEndSession(WPARAM wParam, LPARAM lParam);
    void OnStopTimer();
    BOOL StartCountdown(const quellix::CountdownSpan& span);
    void KillCountdownTimers();
    BOOL ConfirmAction();
    CString FormatRemaining(int seconds) const;
    void ShowRemaining(int seconds);
    void SetPickerTime(const CTime& time);
    void SetPickerTime(const SYSTEMTIME& local);
    afx::CivilTime PickerReading();
    bool MinutesInUse() const;
    void EnableTimingControls();
    // A countdown whose end lies `ms` from now; on the wall clock for an "at"
    // target. No wake timer: a start whose action wakes the machine sets wakeWallMs.
    quellix::CountdownSpan SpanEndingIn(int64_t ms, bool atTarget);
    void WaitForCondition();
    void PostponeCountdown(int minutes);

    // Countdowns that wait for a condition (schedule/Conditions.cpp)
    void StartCondition(const quellix::ScriptedCommand& command, bool bOwnCommandLine);
    bool ConditionTick();
    void StopConditions();
    void SetTipToWaiting(const quellix::WaitTarget& target);

    // The dialog's life: the model decides, Apply carries its effects out.
    void Apply(quellix::Effects effects);
    void CarryOutEffects(const quellix::Effects& effects);
    quellix::Effects RequestAction();
    void ShowPopup(quellix::Effects::Popup popup);
    void ApplyMenu(quellix::Effects::Menu menu);

    // Tray icon and menu
    void SetUpTray();
    BOOL NotifyIcon(DWORD dwMessage);
    void SetTipToCaption();
    void SetTipToRemaining(int seconds);
    void EndOwnedBoxes();
    void OnRestore();
    void OnAskConfirmation();
    void OnAbout();
    void OnHide();
    void OnExit();
    LRESULT OnWatcherRestore(WPARAM, LPARAM);

    // Reminders
    void ShowNotification(BOOL bRemember, BOOL bWarning);

    // Command line (app/ScriptedCommand.cpp)
    void PublishCommandWindow();
    void ForgetCommandWindow();
    LRESULT OnCopyData(WPARAM, LPARAM);
    LRESULT OnRunCommand(WPARAM, LPARAM);
    int CommandStatus(const quellix::ScriptedCommand& command);
    BOOL BusyWithAction() const;
    void RunScriptedCommand(const quellix::ScriptedCommand& command, bool bOwnCommandLine);
    void SetControlsFor(const quellix::ScriptedCommand& command);
    void SetTimingControlsFor(const quellix::ScriptedCommand& command);
    BOOL StoredConfirmation();

    // Whether the machine can carry out the selected action (schedule/ActionCheck.cpp)
    BOOL ActionPossibleHere();
    std::string CapabilityRefusalFor(int actionCode);

    // Watcher thread
    void StartWatcher();
    LRESULT OnStartWatcher(WPARAM, LPARAM);
    void StopWatcher();
    friend UINT __cdecl WatchThreadProc(LPVOID pParam);

    HANDLE m_hSemaphore;
    CButton m_btnConfirm;
    CComboBox m_comboAction;
    CProgressCtrl m_progress;
    BOOL m_bConfirm;
    int m_nDuration;
    CTime m_timeAt;
    int m_nTimingMode;
    BOOL m_bNow;
    BOOL m_bHideOnMinimize;
    HICON m_hIcon;
    HICON m_hIconSmall;
    HICON m_hIconTray;
    // The title bar's small icon drawn for a resolution other than the system's.
    COwnedHandle<HICON, ::DestroyIcon> m_smallIconForDpi;
    // Read-outs of m_model, kept in step by Apply alone.
    BOOL m_bRunning;
    BOOL m_bMayClose;
    BOOL m_bNotify;
    BOOL m_bInTray;
    BOOL m_bTrayIconHidden;
    int m_nRemaining;  // a read-out of m_model too
    CString m_strTitle;
    CString m_strActionVerb;
    NOTIFYICONDATAA m_nid;
    CFont m_font;
    CMenu m_menuTray;
    CBitmap m_bmpRestore;
    CBitmap m_bmpBanner;          // the banner stretched to the dialog's width, when not at 96 DPI
    quellix::CDialogIcon m_icon;  // the icon drawn for the resolution, when not at 96 DPI

    // The countdown's deadline on the monotonic clock, from which each tick
    // takes the remaining seconds, so that sleep or late ticks cost nothing.
    quellix::CountdownClock m_clock;
    quellix::DialogModel m_model;
    // What a "/waitfor" countdown waits for, and an "/idle" one's quiet minutes.
    CProcessWatch m_processWatch;
    quellix::IdleCount m_idle;
    quellix::CShellIcon m_shellIcon;
    // Wakes a sleeping machine for the end of a countdown that needs it running.
    CWakeTimer m_wakeTimer;
    // The watcher thread and the event that stops it before the dialog goes.
    HANDLE m_hWatcher;
    HANDLE m_hWatcherStop;
    // Commands waiting to be carried out; true marks this copy's own command line.
    std::deque<std::pair<quellix::ScriptedCommand, bool>> m_commands;

    DECLARE_MESSAGE_MAP()
};
