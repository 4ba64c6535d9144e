// ExecuteAction: the one place where the program acts on the system.
#include "dialog/ShutdownDlg.h"
#include "schedule/PowerRequests.h"
#include "schedule/SystemVersion.h"
#include "schedule/power_plan.h"
#include "schedule/refusal_text.h"

using namespace quellix;

namespace {
// The system's message text for an error code; empty for 0.
std::string SystemMessage(DWORD error)
{
    if (error == ERROR_SUCCESS)
        return "";
    char text[512] = "";
    if (!::FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, sizeof text,
                          NULL)) {
        wsprintfA(text, "System error %lu.", error);
    }
    return text;
}
}  // namespace

BOOL CShutdownDlg::ExecuteAction(BOOL* pResetAfter, std::string* refusal)
{
    const int code = SelectedActionCode();
    if (code == 0) {
        *refusal = kNoActionText;
        return FALSE;
    }
    const PowerPlan plan = PlanFor(code, OsVersionOf(ReadSystemVersion()));

    BOOL done = !plan.needsPrivilege || EnableShutdownPrivilege();
    if (done) {
        switch (plan.request) {
        case PowerPlan::Request::ExitWindows:
            done = RequestExitWindows(plan.exitFlags, plan.exitReason);  // the session ends on its own
            break;
        case PowerPlan::Request::SetPowerState:
            done = RequestSystemPowerState(plan.suspend, plan.force);  // returns after resume
            break;
        case PowerPlan::Request::Lock:
            done = RequestLockWorkStation();
            break;
        }
    }
    if (!done) {
        const DWORD error = ::GetLastError();
        *refusal = RefusalText(code, SystemMessage(error));
        return FALSE;
    }
    *pResetAfter = plan.resetAfter;
    return TRUE;
}
