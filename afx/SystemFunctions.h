// The system functions bound at run time, all in one place: the ones the
// oldest supported Windows lacks, and the shell's, whose DLL costs start-up
// time and is needed only once the tray icon shows or the mail link is
// clicked. Each wrapper says what it does where the function is missing.
//
// A DLL the program imports anyway (kernel32, user32, comctl32) is already
// in the process and is only looked up. Any other is loaded once, by the full
// path of the system folder: a bare name would be searched for in the
// program's own folder first, and a portable copy may be unpacked anywhere.
#pragma once
#include <windows.h>
#include <shellapi.h>
#include <tlhelp32.h>

namespace afx {

// The system DLL `name` ("shell32.dll"), loaded from the system folder the
// first time; NULL where the system has none.
HMODULE SystemLibrary(const char* name);

// The function `name` of the system DLL `dll`, typed as `Fn`; NULL where it
// is missing.
FARPROC SystemProcAddress(const char* dll, const char* name);
template <typename Fn> Fn* SystemFunction(const char* dll, const char* name)
{
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(SystemProcAddress(dll, name)));
}

// Shell (shell32.dll). Missing: FALSE, the icon refused as by a shell that is
// not there, with ERROR_PROC_NOT_FOUND.
BOOL ShellNotifyIcon(DWORD message, NOTIFYICONDATAA* data);
// Missing: nothing started, SE_ERR_NOASSOC.
HINSTANCE ShellExecuteFile(HWND hWnd, const char* verb, const char* file, const char* parameters, const char* directory,
                           int show);

// Display resolution (Windows 8.1 and 10). Missing: 0, and the caller takes
// the resolution of the whole screen.
UINT GetDpiForWindow(HWND hWnd);
UINT GetDpiForMonitorAt(POINT pt);                // user32's MonitorFromPoint and shcore's GetDpiForMonitor
int GetSystemMetricsForDpi(int index, UINT dpi);  // missing: -1

// Console (Windows XP on): attaches to the console of process `processId`
// (ATTACH_PARENT_PROCESS: the one that started this program). Missing: FALSE
// with ERROR_PROC_NOT_FOUND, as for a process started without a console.
BOOL AttachConsole(DWORD processId);

// Foreground (Windows 98 and 2000 on). Missing: nothing to lift, FALSE.
BOOL AllowSetForegroundWindow(DWORD processId);

// Power (SetSystemPowerState: not on NT 4.0; LockWorkStation: 2000 on).
// Missing: FALSE with ERROR_PROC_NOT_FOUND, a refusal like any other.
BOOL SetSystemPowerState(BOOL suspend, BOOL force);
BOOL LockWorkStation();

// Keeping the system awake (Windows 98 and 2000 on). Missing: 0, the
// answer of a call that failed, and nothing changes.
EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags);

// Waitable timers (Windows 98 and NT 4.0 on). Missing: no timer (NULL), and
// FALSE for the others, with ERROR_PROC_NOT_FOUND; nothing is set.
HANDLE CreateWaitableTimerA(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, const char* name);
BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period, PTIMERAPCROUTINE completion,
                      void* argument, BOOL resume);
BOOL CancelWaitableTimer(HANDLE timer);

// Accessibility events (Windows 98 and 2000 on; NT 4.0 and 95 only with the
// Active Accessibility add-on). Missing: nothing is announced.
void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild);

// Power capabilities (powrprof.dll: Windows 98 and 2000 on). Missing, or
// refused: FALSE, and the caller does not know what the machine can do.
BOOL GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities);

// Input (Windows 2000 on). Missing: FALSE with ERROR_PROC_NOT_FOUND, and
// the idle timing is refused as not possible on this computer.
BOOL GetLastInputInfo(LASTINPUTINFO* info);
bool CanReadLastInput();

// The process list (tool help: Windows 95 and 2000 on, not NT 4.0). Missing:
// INVALID_HANDLE_VALUE or FALSE, with ERROR_PROC_NOT_FOUND.
HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId);
BOOL Process32First(HANDLE snapshot, PROCESSENTRY32* entry);
BOOL Process32Next(HANDLE snapshot, PROCESSENTRY32* entry);
bool CanListProcesses();

// Common controls: InitCommonControlsEx (from comctl32 4.70, Internet
// Explorer 3) registers the classes asked for; missing, InitCommonControls
// registers those of Windows 95, and FALSE tells the caller so.
BOOL InitCommonControlsEx(DWORD classes);

}  // namespace afx
