// ExecuteAction: the one place where the program acts on the system.
#include "dialog/ShutdownDlg.h"
#include "schedule/PowerRequests.h"
#include "schedule/SystemVersion.h"
#include "schedule/power_plan.h"

using namespace quellix;

namespace {
// Enables the shutdown privilege in the process token; it stays enabled.
bool EnableShutdownPrivilege()
{
    HANDLE hToken = NULL;
    if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &hToken))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    ::LookupPrivilegeValueA(NULL, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    ::AdjustTokenPrivileges(hToken, FALSE, &privileges, 0, NULL, NULL);
    bool enabled = ::GetLastError() == ERROR_SUCCESS;  // ERROR_NOT_ALL_ASSIGNED without the right
    ::CloseHandle(hToken);
    return enabled;
}
}  // namespace

BOOL CShutdownDlg::ExecuteAction()
{
    if (NeedsShutdownPrivilege(OsVersionOf(ReadSystemVersion())) && !EnableShutdownPrivilege())
        return FALSE;

    int selected = m_comboAction.GetCurSel();
    if (selected == CB_ERR)
        return FALSE;
    PowerPlan plan = PlanFor(static_cast<int>(m_comboAction.GetItemData(selected)));

    BOOL result = FALSE;
    switch (plan.request) {
    case PowerPlan::Request::ExitWindows:
        return RequestExitWindows(plan.exitFlags);  // the session ends on its own
    case PowerPlan::Request::SetPowerState:
        result = RequestSystemPowerState(plan.suspend, plan.force);  // returns after resume
        break;
    case PowerPlan::Request::Lock:
        result = RequestLockWorkStation();
        break;
    }
    if (plan.resetAfter)
        ResetAfterAction();
    return result;
}
