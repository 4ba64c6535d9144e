#include "schedule/power_plan.h"

namespace quellix {

namespace {
// ExitWindowsEx flags, spelled out to keep this file free of Windows headers.
constexpr unsigned kLogoff = 0, kShutdown = 1, kReboot = 2, kForce = 4, kPowerOff = 8;

PowerPlan Exit(unsigned flags) { return {PowerPlan::Request::ExitWindows, flags, false, true, false}; }
}  // namespace

bool NeedsShutdownPrivilege(const OsVersion& os) { return os.platformId == kPlatformNT && os.major >= 5; }

PowerPlan PlanFor(int actionCode)
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
        return {PowerPlan::Request::SetPowerState, 0, false, true, true};
    case ACTION_STANDBY:
        return {PowerPlan::Request::SetPowerState, 0, true, true, true};
    case ACTION_LOCK:
        return {PowerPlan::Request::Lock, 0, false, false, true};
    case ACTION_SHUTDOWN:
    default:
        return Exit(kShutdown | kForce);
    }
}

}  // namespace quellix
