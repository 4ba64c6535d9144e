#include "tests/e2e/driver/Probe.h"

#include "tests/e2e/driver/Process.h"
#include "tests/e2e/driver/Window.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

namespace e2e {

namespace {

constexpr char kProbeDll[] = "InProcessProbe.dll";

// Runs `start(parameter)` as a thread of `process`; its exit code, or -1.
DWORD RunRemoteThread(HANDLE process, LPTHREAD_START_ROUTINE start, LPVOID parameter)
{
    HANDLE thread = CreateRemoteThread(process, NULL, 0, start, parameter, 0, NULL);
    if (!thread) {
        ADD_FAILURE() << "CreateRemoteThread failed: " << LastErrorText();
        return static_cast<DWORD>(-1);
    }
    DWORD code = static_cast<DWORD>(-1);
    if (WaitForSingleObject(thread, 5000) != WAIT_OBJECT_0)
        ADD_FAILURE() << "the probe thread did not end within 5 s";
    else
        GetExitCodeThread(thread, &code);
    CloseHandle(thread);
    return code;
}

}  // namespace

std::vector<std::string> AskProbe(DWORD pid, const std::string& command, ULONG_PTR handle)
{
    std::vector<std::string> lines;
    const std::string dll = OwnDirectory() + kProbeDll;
    HMODULE local = LoadLibraryA(dll.c_str());
    if (!local) {
        ADD_FAILURE() << "cannot load " << dll << ": " << LastErrorText();
        return lines;
    }
    const ULONG_PTR probeOffset =
        reinterpret_cast<ULONG_PTR>(GetProcAddress(local, "Probe@4") ? GetProcAddress(local, "Probe@4")
                                                                     : GetProcAddress(local, "Probe")) -
        reinterpret_cast<ULONG_PTR>(local);
    HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, pid);
    if (!process) {
        ADD_FAILURE() << "cannot open process " << pid << ": " << LastErrorText();
        return lines;
    }

    char temp[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temp);
    const std::string answerFile = std::string(temp) + "quellix-probe-" + std::to_string(pid) + ".txt";
    char handleText[32];
    snprintf(handleText, sizeof handleText, "%llx", static_cast<unsigned long long>(handle));
    const std::string request = command + " " + handleText + "\n" + answerFile;

    // LoadLibraryA lies at the same address in every process; loading an
    // already loaded DLL again only returns its address.
    RemoteBuffer remote(pid, std::max(dll.size(), request.size()) + 1);
    remote.Write(dll.c_str(), dll.size() + 1);
    auto loadLibrary =
        reinterpret_cast<LPTHREAD_START_ROUTINE>(GetProcAddress(GetModuleHandleA("kernel32"), "LoadLibraryA"));
    // A thread's exit code is only 32 bits wide, so LoadLibraryA's result
    // cannot be taken from it in a 64-bit process: the module list tells.
    const DWORD loaded = RunRemoteThread(process, loadLibrary, reinterpret_cast<LPVOID>(remote.Address()));
    const ULONG_PTR remoteBase = loaded == static_cast<DWORD>(-1) ? 0 : FindModule(pid, kProbeDll).base;
    if (remoteBase == 0) {
        ADD_FAILURE() << "the program under test could not load " << dll;
    } else {
        remote.Write(request.c_str(), request.size() + 1);
        DeleteFileA(answerFile.c_str());
        auto probe = reinterpret_cast<LPTHREAD_START_ROUTINE>(remoteBase + probeOffset);
        const DWORD code = RunRemoteThread(process, probe, reinterpret_cast<LPVOID>(remote.Address()));
        if (code != 0)
            ADD_FAILURE() << "the probe refused \"" << command << "\" (code " << code << ")";
        std::ifstream answer(answerFile);
        for (std::string line; std::getline(answer, line);)
            lines.push_back(line);
        answer.close();
        DeleteFileA(answerFile.c_str());
    }
    CloseHandle(process);
    return lines;
}

}  // namespace e2e
