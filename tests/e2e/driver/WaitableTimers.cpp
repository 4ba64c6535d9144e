#include "tests/e2e/driver/WaitableTimers.h"

#include <cwchar>

namespace e2e {

namespace {
// ntdll's handle list, object type and timer queries (winternl.h declares
// none of these records).
const ULONG kSystemHandleInformation = 16;
const int kObjectTypeInformation = 2;
const int kTimerBasicInformation = 0;
const LONG kInfoLengthMismatch = static_cast<LONG>(0xC0000004);

struct HandleEntry {
    ULONG ownerPid;
    BYTE objectType;
    BYTE flags;
    USHORT handle;
    void* object;
    ACCESS_MASK access;
};
struct HandleList {
    ULONG count;
    HandleEntry entries[1];
};
struct TypeName {
    USHORT length, maximumLength;
    WCHAR* buffer;
};
struct TimerBasic {
    LARGE_INTEGER remaining;
    BOOLEAN signaled;
};

typedef LONG WINAPI QuerySystemInformationFn(ULONG, void*, ULONG, ULONG*);
typedef LONG WINAPI QueryObjectFn(HANDLE, int, void*, ULONG, ULONG*);
typedef LONG WINAPI QueryTimerFn(HANDLE, int, void*, ULONG, ULONG*);

template <typename Fn> Fn* Ntdll(const char* name)
{
    return reinterpret_cast<Fn*>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}
}  // namespace

std::vector<WaitableTimerReading> WaitableTimersOf(DWORD pid)
{
    static auto* const querySystem = Ntdll<QuerySystemInformationFn>("NtQuerySystemInformation");
    static auto* const queryObject = Ntdll<QueryObjectFn>("NtQueryObject");
    static auto* const queryTimer = Ntdll<QueryTimerFn>("NtQueryTimer");
    std::vector<WaitableTimerReading> timers;
    if (!querySystem || !queryObject || !queryTimer)
        return timers;
    std::vector<BYTE> buffer(1 << 16);
    LONG status;
    ULONG needed = 0;
    while ((status = querySystem(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()),
                                 &needed)) == kInfoLengthMismatch)
        buffer.resize(buffer.size() * 2);
    HANDLE process = OpenProcess(PROCESS_DUP_HANDLE, FALSE, pid);
    if (status != 0 || !process)
        return timers;
    const HandleList* list = reinterpret_cast<const HandleList*>(buffer.data());
    for (ULONG i = 0; i < list->count; ++i) {
        const HandleEntry& entry = list->entries[i];
        HANDLE copy = NULL;
        if (entry.ownerPid != pid ||
            !DuplicateHandle(process, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(entry.handle)),
                             GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS))
            continue;
        alignas(8) BYTE type[512];
        ULONG length = 0;
        const TypeName* name = reinterpret_cast<const TypeName*>(type);
        TimerBasic basic = {};
        if (queryObject(copy, kObjectTypeInformation, type, sizeof type, &length) == 0 &&
            name->length == 5 * sizeof(WCHAR) && wcsncmp(name->buffer, L"Timer", 5) == 0 &&
            queryTimer(copy, kTimerBasicInformation, &basic, sizeof basic, &length) == 0) {
            FILETIME now;
            GetSystemTimeAsFileTime(&now);
            WaitableTimerReading reading;
            reading.handle = entry.handle;
            reading.dueFileTime =
                static_cast<int64_t>((static_cast<uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime) +
                basic.remaining.QuadPart;
            reading.signaled = basic.signaled != FALSE;
            timers.push_back(reading);
        }
        CloseHandle(copy);
    }
    CloseHandle(process);
    return timers;
}

}  // namespace e2e
