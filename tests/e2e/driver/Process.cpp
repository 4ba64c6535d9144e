#include "tests/e2e/driver/Process.h"

#include <tlhelp32.h>

#include <algorithm>
#include <cstring>
#include <utility>

namespace e2e {

Process::Process(Process&& other) noexcept
    : m_process(std::exchange(other.m_process, HANDLE(NULL))), m_id(std::exchange(other.m_id, 0))
{
}

Process& Process::operator=(Process&& other) noexcept
{
    if (this != &other) {
        Kill();
        if (m_process)
            CloseHandle(m_process);
        m_process = std::exchange(other.m_process, HANDLE(NULL));
        m_id = std::exchange(other.m_id, 0);
    }
    return *this;
}

Process::~Process()
{
    Kill();
    if (m_process)
        CloseHandle(m_process);
}

bool Process::Running() const { return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT; }

bool Process::WaitForExit(DWORD timeoutMs)
{
    return !m_process || WaitForSingleObject(m_process, timeoutMs) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const
{
    DWORD code = STILL_ACTIVE;
    if (m_process)
        GetExitCodeProcess(m_process, &code);
    return code;
}

bool Process::WaitForIdle(DWORD timeoutMs) const { return m_process && WaitForInputIdle(m_process, timeoutMs) == 0; }

void Process::Kill()
{
    if (Running()) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
}

static std::string EnvironmentBlock(const std::vector<std::string>& extra)
{
    std::vector<std::string> entries;
    if (char* block = GetEnvironmentStringsA()) {
        for (const char* p = block; *p; p += strlen(p) + 1)
            entries.emplace_back(p);
        FreeEnvironmentStringsA(block);
    }
    for (const std::string& add : extra) {
        const std::string name = add.substr(0, add.find('=') + 1);
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::string& e) {
                                         return e.size() >= name.size() &&
                                                _strnicmp(e.c_str(), name.c_str(), name.size()) == 0;
                                     }),
                      entries.end());
        entries.push_back(add);
    }
    std::string result;
    for (const std::string& e : entries)
        result += e + '\0';
    return result + '\0';
}

namespace {
// CreateProcess with this program's environment and `extraEnv`; false, with `error` set, on failure.
bool Create(const std::string& exe, const std::string& arguments, const std::vector<std::string>& extraEnv, DWORD flags,
            PROCESS_INFORMATION& info, std::string* error, HANDLE stdOut = NULL, HANDLE stdErr = NULL)
{
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    std::string environment = EnvironmentBlock(extraEnv);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    const BOOL inherit = stdOut || stdErr;
    if (inherit) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = stdOut ? stdOut : GetStdHandle(STD_OUTPUT_HANDLE);
        startup.hStdError = stdErr ? stdErr : GetStdHandle(STD_ERROR_HANDLE);
    }
    // On a busy machine Wine now and then fails a start with "internal error"
    // (seen once in five loaded runs): that start is made again.
    for (int attempt = 1;; ++attempt) {
        if (CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, inherit, flags, &environment[0], NULL, &startup,
                           &info))
            return true;
        const DWORD failure = GetLastError();
        if (failure != ERROR_INTERNAL_ERROR || attempt == 3) {
            if (error)
                *error = "CreateProcess(" + exe + ") failed: " + LastErrorText(failure);
            return false;
        }
        Sleep(500);
    }
}
}  // namespace

Process StartProcess(const std::string& exe, const std::string& arguments, const std::vector<std::string>& extraEnv,
                     std::string* error)
{
    PROCESS_INFORMATION info = {};
    if (!Create(exe, arguments, extraEnv, 0, info, error))
        return Process();
    CloseHandle(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
}

Process StartProcess(const std::string& exe, const std::string& arguments, const StartOptions& options,
                     std::string* error)
{
    PROCESS_INFORMATION info = {};
    if (!Create(exe, arguments, options.extraEnv, options.flags, info, error, options.stdOut, options.stdErr))
        return Process();
    CloseHandle(info.hThread);
    return Process(info.hProcess, info.dwProcessId);
}

std::vector<Process> StartTogether(const std::string& exe, size_t count, const std::vector<std::string>& extraEnv,
                                   std::string* error)
{
    std::vector<Process> started;
    std::vector<HANDLE> threads;
    for (size_t i = 0; i < count; ++i) {
        PROCESS_INFORMATION info = {};
        if (!Create(exe, "", extraEnv, CREATE_SUSPENDED, info, error))
            break;
        started.emplace_back(info.hProcess, info.dwProcessId);
        threads.push_back(info.hThread);
    }
    for (HANDLE thread : threads) {
        ResumeThread(thread);
        CloseHandle(thread);
    }
    return started;
}

namespace {
struct WindowSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindowOf(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search->pid)
        search->found.push_back(window);
    return TRUE;
}
}  // namespace

std::vector<HWND> TopLevelWindows(DWORD pid)
{
    WindowSearch search{pid, {}};
    EnumWindows(CollectWindowOf, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

LoadedModule FindModule(DWORD pid, const std::string& name)
{
    LoadedModule found;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, pid);
    if (snapshot == INVALID_HANDLE_VALUE)
        return found;
    MODULEENTRY32 module = {};
    module.dwSize = sizeof module;
    for (BOOL more = Module32First(snapshot, &module); more; more = Module32Next(snapshot, &module)) {
        if (lstrcmpiA(module.szModule, name.c_str()) == 0) {
            found.base = reinterpret_cast<ULONG_PTR>(module.modBaseAddr);
            found.path = module.szExePath;
            break;
        }
    }
    CloseHandle(snapshot);
    return found;
}

int KillAllNamed(const std::string& exeName)
{
    int killed = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry)) {
        if (_stricmp(entry.szExeFile, exeName.c_str()) != 0 || entry.th32ProcessID == GetCurrentProcessId())
            continue;
        if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID)) {
            TerminateProcess(process, 1);
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
            ++killed;
        }
    }
    CloseHandle(snapshot);
    return killed;
}

std::string WindowsPath(const std::string& path)
{
    if (path.empty() || path[0] != '/')
        return path;
    std::string result = "Z:" + path;
    std::replace(result.begin(), result.end(), '/', '\\');
    return result;
}

std::string OwnDirectory()
{
    char path[MAX_PATH] = {};
    GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

std::string LastErrorText(DWORD error)
{
    char text[256] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, sizeof text, NULL);
    std::string result = "error " + std::to_string(error);
    if (*text)
        result += " (" + std::string(text, strcspn(text, "\r\n")) + ")";
    return result;
}

std::string TempDirectory()
{
    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    return temp;
}

}  // namespace e2e
