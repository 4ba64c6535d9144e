#include "afx/SystemFunctions.h"

#include <commctrl.h>

namespace afx {

namespace {
// The DLLs in the program's import table, loaded with it.
const char* const kImportedLibraries[] = {"kernel32.dll", "user32.dll", "comctl32.dll"};

bool IsImported(const char* name)
{
    for (const char* imported : kImportedLibraries) {
        if (lstrcmpiA(name, imported) == 0)
            return true;
    }
    return false;
}

HMODULE LoadFromSystemFolder(const char* name)
{
    char path[MAX_PATH];
    const UINT length = ::GetSystemDirectoryA(path, MAX_PATH);
    if (length == 0 || length + 1 + static_cast<UINT>(lstrlenA(name)) >= MAX_PATH)
        return NULL;
    path[length] = '\\';
    lstrcpyA(path + length + 1, name);
    // The DLL's own dependencies are searched for beside it, not beside the program.
    return ::LoadLibraryExA(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

// Each library is asked for once; the few the program binds fit this table.
struct LibrarySlot {
    const char* name;
    HMODULE module;
};
LibrarySlot g_libraries[8];

BOOL NotFound(BOOL result)
{
    ::SetLastError(ERROR_PROC_NOT_FOUND);
    return result;
}

// Declared by the system's headers only for programs built for Windows 8.1 or 10.
typedef UINT WINAPI GetDpiForWindowFn(HWND);
typedef int WINAPI GetSystemMetricsForDpiFn(int, UINT);
typedef HRESULT WINAPI GetDpiForMonitorFn(HMONITOR, int, UINT*, UINT*);  // shellscalingapi.h
const int kEffectiveDpi = 0;                                             // MDT_EFFECTIVE_DPI
}  // namespace

HMODULE SystemLibrary(const char* name)
{
    for (LibrarySlot& slot : g_libraries) {
        if (slot.name && lstrcmpiA(slot.name, name) == 0)
            return slot.module;
        if (!slot.name) {
            slot.module = IsImported(name) ? ::GetModuleHandleA(name) : LoadFromSystemFolder(name);
            slot.name = name;
            return slot.module;
        }
    }
    return IsImported(name) ? ::GetModuleHandleA(name) : LoadFromSystemFolder(name);
}

FARPROC SystemProcAddress(const char* dll, const char* name)
{
    HMODULE module = SystemLibrary(dll);
    return module ? ::GetProcAddress(module, name) : NULL;
}

BOOL ShellNotifyIcon(DWORD message, NOTIFYICONDATAA* data)
{
    static auto* const notify = SystemFunction<decltype(::Shell_NotifyIconA)>("shell32.dll", "Shell_NotifyIconA");
    return notify ? notify(message, data) : NotFound(FALSE);
}

HINSTANCE ShellExecuteFile(HWND hWnd, const char* verb, const char* file, const char* parameters, const char* directory,
                           int show)
{
    static auto* const execute = SystemFunction<decltype(::ShellExecuteA)>("shell32.dll", "ShellExecuteA");
    if (!execute)
        return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(SE_ERR_NOASSOC));
    return execute(hWnd, verb, file, parameters, directory, show);
}

UINT GetDpiForWindow(HWND hWnd)
{
    static auto* const getDpi = SystemFunction<GetDpiForWindowFn>("user32.dll", "GetDpiForWindow");
    return getDpi && hWnd ? getDpi(hWnd) : 0;
}

UINT GetDpiForMonitorAt(POINT pt)
{
    static auto* const monitorFromPoint =
        SystemFunction<decltype(::MonitorFromPoint)>("user32.dll", "MonitorFromPoint");
    // shcore.dll (Windows 8.1) is loaded only when a popup asks, never at start-up.
    static auto* const getDpi = SystemFunction<GetDpiForMonitorFn>("shcore.dll", "GetDpiForMonitor");
    if (!monitorFromPoint || !getDpi)
        return 0;
    UINT dpiX = 0, dpiY = 0;
    HMONITOR monitor = monitorFromPoint(pt, MONITOR_DEFAULTTOPRIMARY);
    return monitor && SUCCEEDED(getDpi(monitor, kEffectiveDpi, &dpiX, &dpiY)) ? dpiY : 0;
}

int GetSystemMetricsForDpi(int index, UINT dpi)
{
    static auto* const getMetric = SystemFunction<GetSystemMetricsForDpiFn>("user32.dll", "GetSystemMetricsForDpi");
    return getMetric ? getMetric(index, dpi) : -1;
}

BOOL AttachConsole(DWORD processId)
{
    static auto* const attach = SystemFunction<decltype(::AttachConsole)>("kernel32.dll", "AttachConsole");
    return attach ? attach(processId) : NotFound(FALSE);
}

BOOL AllowSetForegroundWindow(DWORD processId)
{
    static auto* const allow =
        SystemFunction<decltype(::AllowSetForegroundWindow)>("user32.dll", "AllowSetForegroundWindow");
    return allow ? allow(processId) : NotFound(FALSE);
}

BOOL SetSystemPowerState(BOOL suspend, BOOL force)
{
    static auto* const setPowerState =
        SystemFunction<decltype(::SetSystemPowerState)>("kernel32.dll", "SetSystemPowerState");
    return setPowerState ? setPowerState(suspend, force) : NotFound(FALSE);
}

BOOL LockWorkStation()
{
    static auto* const lock = SystemFunction<decltype(::LockWorkStation)>("user32.dll", "LockWorkStation");
    return lock ? lock() : NotFound(FALSE);
}

EXECUTION_STATE SetThreadExecutionState(EXECUTION_STATE flags)
{
    static auto* const setState =
        SystemFunction<decltype(::SetThreadExecutionState)>("kernel32.dll", "SetThreadExecutionState");
    return setState ? setState(flags) : 0;
}

HANDLE CreateWaitableTimerA(SECURITY_ATTRIBUTES* attributes, BOOL manualReset, const char* name)
{
    static auto* const create =
        SystemFunction<decltype(::CreateWaitableTimerA)>("kernel32.dll", "CreateWaitableTimerA");
    if (!create) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return NULL;
    }
    return create(attributes, manualReset, name);
}

BOOL SetWaitableTimer(HANDLE timer, const LARGE_INTEGER* dueTime, LONG period, PTIMERAPCROUTINE completion,
                      void* argument, BOOL resume)
{
    static auto* const set = SystemFunction<decltype(::SetWaitableTimer)>("kernel32.dll", "SetWaitableTimer");
    return set ? set(timer, dueTime, period, completion, argument, resume) : NotFound(FALSE);
}

BOOL CancelWaitableTimer(HANDLE timer)
{
    static auto* const cancel = SystemFunction<decltype(::CancelWaitableTimer)>("kernel32.dll", "CancelWaitableTimer");
    return cancel ? cancel(timer) : NotFound(FALSE);
}

void NotifyWinEvent(DWORD event, HWND hWnd, LONG idObject, LONG idChild)
{
    static auto* const notify = SystemFunction<decltype(::NotifyWinEvent)>("user32.dll", "NotifyWinEvent");
    if (notify)
        notify(event, hWnd, idObject, idChild);
}

BOOL GetPwrCapabilities(SYSTEM_POWER_CAPABILITIES* capabilities)
{
    typedef BOOLEAN WINAPI GetPwrCapabilitiesFn(SYSTEM_POWER_CAPABILITIES*);
    // powrprof.dll is loaded only when a stand-by or hibernate is about to be scheduled.
    static auto* const get = SystemFunction<GetPwrCapabilitiesFn>("powrprof.dll", "GetPwrCapabilities");
    if (!get)
        return NotFound(FALSE);
    *capabilities = SYSTEM_POWER_CAPABILITIES();
    return get(capabilities) ? TRUE : FALSE;
}

namespace {
decltype(::GetLastInputInfo)* GetLastInputInfoFn()
{
    static auto* const get = SystemFunction<decltype(::GetLastInputInfo)>("user32.dll", "GetLastInputInfo");
    return get;
}
// Resolved together: a list needs all three.
struct ToolHelp {
    decltype(::CreateToolhelp32Snapshot)* snapshot;
    decltype(::Process32First)* first;
    decltype(::Process32Next)* next;
};
const ToolHelp& ToolHelpFunctions()
{
    static const ToolHelp functions = {
        SystemFunction<decltype(::CreateToolhelp32Snapshot)>("kernel32.dll", "CreateToolhelp32Snapshot"),
        SystemFunction<decltype(::Process32First)>("kernel32.dll", "Process32First"),
        SystemFunction<decltype(::Process32Next)>("kernel32.dll", "Process32Next"),
    };
    return functions;
}
}  // namespace

BOOL GetLastInputInfo(LASTINPUTINFO* info)
{
    auto* const get = GetLastInputInfoFn();
    return get ? get(info) : NotFound(FALSE);
}

bool CanReadLastInput() { return GetLastInputInfoFn() != NULL; }

HANDLE CreateToolhelp32Snapshot(DWORD flags, DWORD processId)
{
    if (!CanListProcesses()) {
        ::SetLastError(ERROR_PROC_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    return ToolHelpFunctions().snapshot(flags, processId);
}

BOOL Process32First(HANDLE snapshot, PROCESSENTRY32* entry)
{
    return CanListProcesses() ? ToolHelpFunctions().first(snapshot, entry) : NotFound(FALSE);
}

BOOL Process32Next(HANDLE snapshot, PROCESSENTRY32* entry)
{
    return CanListProcesses() ? ToolHelpFunctions().next(snapshot, entry) : NotFound(FALSE);
}

bool CanListProcesses()
{
    const ToolHelp& f = ToolHelpFunctions();
    return f.snapshot && f.first && f.next;
}

BOOL InitCommonControlsEx(DWORD classes)
{
    static auto* const init = SystemFunction<decltype(::InitCommonControlsEx)>("comctl32.dll", "InitCommonControlsEx");
    INITCOMMONCONTROLSEX icc = {sizeof icc, classes};
    if (init && init(&icc))
        return TRUE;
    ::InitCommonControls();
    return FALSE;
}

}  // namespace afx
