#include "schedule/power_plan.h"

namespace quellix {

namespace {
// ExitWindowsEx flags, spelled out to keep this file free of Windows headers.
constexpr unsigned kLogoff = 0, kShutdown = 1, kReboot = 2, kForce = 4, kPowerOff = 8;

PowerPlan Exit(unsigned flags) { return {PowerPlan::Request::ExitWindows, flags, 0, false, true, false, false}; }

PowerPlan BasePlanFor(int actionCode)
{
    switch (actionCode) {
    case ACTION_LOGOFF:
        return Exit(kLogoff | kForce);
    case ACTION_POWEROFF:
        return Exit(kShutdown | kForce | kPowerOff);
    case ACTION_RESTART:
        return Exit(kReboot | kForce);
    // Hibernate, stand by and lock return to the program, which then resets.
    case ACTION_HIBERNATE:
        return {PowerPlan::Request::SetPowerState, 0, 0, false, true, true, false};
    case ACTION_STANDBY:
        return {PowerPlan::Request::SetPowerState, 0, 0, true, true, true, false};
    case ACTION_LOCK:
        return {PowerPlan::Request::Lock, 0, 0, false, false, true, false};
    case ACTION_SHUTDOWN:
    default:
        return Exit(kShutdown | kForce);
    }
}
}  // namespace

bool NeedsShutdownPrivilege(const OsVersion& os) { return os.platformId == kPlatformNT; }

PowerPlan PlanFor(int actionCode, const OsVersion& os)
{
    PowerPlan plan = BasePlanFor(actionCode);
    // Ending one's own session or locking it is every user's right.
    const bool ownSession = plan.request == PowerPlan::Request::Lock || actionCode == ACTION_LOGOFF;
    plan.needsPrivilege = !ownSession && NeedsShutdownPrivilege(os);
    if (plan.request == PowerPlan::Request::ExitWindows && os.platformId != kPlatform9x)
        plan.exitReason = kPlannedReason;
    return plan;
}

}  // namespace quellix
