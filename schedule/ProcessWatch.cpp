#include "schedule/ProcessWatch.h"

#include "afx/SystemFunctions.h"

#include <algorithm>

namespace {
// Closes a tool help snapshot, whose failure value is INVALID_HANDLE_VALUE.
class CSnapshot {
public:
    CSnapshot() : m_handle(afx::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0)) {}
    ~CSnapshot()
    {
        if (Valid())
            ::CloseHandle(m_handle);
    }
    CSnapshot(const CSnapshot&) = delete;
    CSnapshot& operator=(const CSnapshot&) = delete;
    bool Valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != NULL; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool HasEnded(HANDLE process) { return ::WaitForSingleObject(process, 0) != WAIT_TIMEOUT; }
}  // namespace

CProcessWatch::StartResult CProcessWatch::Start(const quellix::WaitTarget& target)
{
    Stop();
    if (!afx::CanListProcesses())
        return kCannotList;
    if (target.Empty())
        return kNoSuchProcess;
    m_target = target;
    if (!TakeListed())
        return kCannotList;
    DropEnded();  // a process already ending is nothing to wait for
    if (m_opened.empty() && m_unopenedIds.empty())
        return kNoSuchProcess;
    m_watching = true;
    return kWatching;
}

bool CProcessWatch::Ended()
{
    if (m_ended)
        return true;
    if (!m_watching)
        return false;
    const size_t before = m_opened.size();
    DropEnded();
    // The list is read only while something is known by it alone, or when
    // the last handle of a name has just ended (an id, once ended, may be
    // given to another process); a list that cannot be read keeps those
    // known by it alone counted.
    const bool lastOfName = before && m_opened.empty() && !m_target.imageName.empty();
    if (!m_unopenedIds.empty() || lastOfName)
        TakeListed();
    if (!m_opened.empty() || !m_unopenedIds.empty())
        return false;
    Stop();
    m_ended = true;
    return true;
}

void CProcessWatch::Stop()
{
    m_opened.clear();
    m_unopenedIds.clear();
    m_watching = false;
    m_ended = false;
}

bool CProcessWatch::TakeListed()
{
    CSnapshot snapshot;
    if (!snapshot.Valid())
        return false;
    std::vector<DWORD> unopened;
    PROCESSENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = afx::Process32First(snapshot.Get(), &entry); more;
         more = afx::Process32Next(snapshot.Get(), &entry)) {
        if (!Takes(entry.th32ProcessID, entry.szExeFile) || IsWatched(entry.th32ProcessID))
            continue;
        HANDLE process = ::OpenProcess(SYNCHRONIZE, FALSE, entry.th32ProcessID);
        if (process) {
            m_opened.emplace_back();
            m_opened.back().id = entry.th32ProcessID;
            m_opened.back().process.Attach(process);
        } else {
            unopened.push_back(entry.th32ProcessID);
        }
        entry.dwSize = sizeof entry;
    }
    m_unopenedIds.swap(unopened);  // those no longer listed have ended
    return true;
}

bool CProcessWatch::Takes(DWORD id, const char* exeFile) const
{
    if (id == 0 || id == ::GetCurrentProcessId())
        return false;
    return m_target.imageName.empty() ? id == m_target.processId : quellix::SameImageName(m_target.imageName, exeFile);
}

bool CProcessWatch::IsWatched(DWORD id) const
{
    return std::any_of(m_opened.begin(), m_opened.end(), [id](const Watched& w) { return w.id == id; });
}

void CProcessWatch::DropEnded()
{
    m_opened.remove_if([](const Watched& w) { return HasEnded(w.process.GetSafeHandle()); });
}
