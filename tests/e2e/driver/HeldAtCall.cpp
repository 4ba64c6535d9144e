#include "tests/e2e/driver/HeldAtCall.h"

namespace e2e {

namespace {
const BYTE kBreakpoint = 0xCC;  // int3
}

HeldAtCall::HeldAtCall(const std::string& exe, const char* module, const char* function, DWORD timeoutMs)
{
    m_target = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), function));
    if (!m_target) {
        m_error = std::string(function) + " not found";
        return;
    }
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], NULL, NULL, FALSE, DEBUG_ONLY_THIS_PROCESS, NULL, NULL, &startup,
                        &info)) {
        m_error = "CreateProcess(" + exe + ") failed: " + LastErrorText();
        return;
    }
    CloseHandle(info.hThread);
    m_process = Process(info.hProcess, info.dwProcessId);
    m_debugging = true;

    const DWORD started = GetTickCount();
    while (GetTickCount() - started < timeoutMs) {
        DEBUG_EVENT event = {};
        if (!WaitForDebugEvent(&event, 100))
            continue;
        DWORD status = DBG_CONTINUE;
        switch (event.dwDebugEventCode) {
        case CREATE_PROCESS_DEBUG_EVENT:
            if (event.u.CreateProcessInfo.hFile)
                CloseHandle(event.u.CreateProcessInfo.hFile);
            break;
        case LOAD_DLL_DEBUG_EVENT:
            if (event.u.LoadDll.hFile)
                CloseHandle(event.u.LoadDll.hFile);
            Arm();  // as soon as the function's module is there
            break;
        case EXCEPTION_DEBUG_EVENT: {
            const EXCEPTION_RECORD& record = event.u.Exception.ExceptionRecord;
            if (record.ExceptionCode != EXCEPTION_BREAKPOINT) {
                status = DBG_EXCEPTION_NOT_HANDLED;
            } else if (m_armed && record.ExceptionAddress == m_target) {
                m_heldThread = event.dwThreadId;  // left stopped until Release
                return;
            } else {
                Arm();  // the loader's own breakpoint: every static import is mapped
            }
            break;
        }
        case EXIT_PROCESS_DEBUG_EVENT:
            m_error = "the process ended before it called " + std::string(function);
            ContinueDebugEvent(event.dwProcessId, event.dwThreadId, DBG_CONTINUE);
            m_debugging = false;
            return;
        default:
            break;
        }
        ContinueDebugEvent(event.dwProcessId, event.dwThreadId, status);
    }
    m_error = std::string(function) + " was not called within the time-out";
}

bool HeldAtCall::Arm()
{
    if (m_armed)
        return true;
    SIZE_T done = 0;
    if (!ReadProcessMemory(m_process.Handle(), m_target, &m_original, 1, &done) || done != 1)
        return false;
    if (!WriteProcessMemory(m_process.Handle(), m_target, &kBreakpoint, 1, &done) || done != 1)
        return false;
    FlushInstructionCache(m_process.Handle(), m_target, 1);
    m_armed = true;
    return true;
}

bool HeldAtCall::Release()
{
    if (!Held())
        return false;
    SIZE_T done = 0;
    bool ok = WriteProcessMemory(m_process.Handle(), m_target, &m_original, 1, &done) && done == 1;
    FlushInstructionCache(m_process.Handle(), m_target, 1);
    // The breakpoint has run: back to the function's first instruction.
    HANDLE thread = OpenThread(THREAD_GET_CONTEXT | THREAD_SET_CONTEXT, FALSE, m_heldThread);
    CONTEXT context = {};
    context.ContextFlags = CONTEXT_CONTROL;
    ok = ok && thread && GetThreadContext(thread, &context);
#ifdef _WIN64
    context.Rip = reinterpret_cast<DWORD64>(m_target);
#else
    context.Eip = reinterpret_cast<DWORD>(m_target);
#endif
    ok = ok && SetThreadContext(thread, &context);
    if (thread)
        CloseHandle(thread);
    ContinueDebugEvent(m_process.Id(), m_heldThread, DBG_CONTINUE);
    m_heldThread = 0;
    DebugSetProcessKillOnExit(FALSE);
    ok = DebugActiveProcessStop(m_process.Id()) && ok;
    m_debugging = false;
    return ok;
}

HeldAtCall::~HeldAtCall()
{
    if (m_debugging)
        DebugActiveProcessStop(m_process.Id());
    m_process.Kill();
}

}  // namespace e2e
