#include "schedule/power_plan.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

using R = PowerPlan::Request;

const OsVersion kXp{kPlatformNT, 5, 1}, kNt4{kPlatformNT, 4, 0}, kWin98{kPlatform9x, 4, 10};

TEST(PowerPlan, RequestPerCode)
{
    struct Row {
        int code;
        R request;
        unsigned flags;
        bool suspend, force, reset;
    };
    const Row rows[] = {
        {ACTION_LOGOFF, R::ExitWindows, 4, false, true, false},
        {ACTION_POWEROFF, R::ExitWindows, 13, false, true, false},
        {ACTION_SHUTDOWN, R::ExitWindows, 5, false, true, false},
        {ACTION_RESTART, R::ExitWindows, 6, false, true, false},
        {ACTION_HIBERNATE, R::SetPowerState, 0, false, true, true},
        {ACTION_STANDBY, R::SetPowerState, 0, true, true, true},
        {ACTION_LOCK, R::Lock, 0, false, false, true},
        // Unknown codes fall back to a forced shut-down.
        {0, R::ExitWindows, 5, false, true, false},
        {8, R::ExitWindows, 5, false, true, false},
        {-1, R::ExitWindows, 5, false, true, false},
    };
    for (const OsVersion& os : {kXp, kNt4, kWin98}) {
        for (const Row& r : rows) {
            SCOPED_TRACE(testing::Message() << "code " << r.code << ", platform " << os.platformId);
            const PowerPlan p = PlanFor(r.code, os);
            EXPECT_EQ(p.request, r.request);
            EXPECT_EQ(p.exitFlags, r.flags);
            EXPECT_EQ(p.suspend, r.suspend);
            EXPECT_EQ(p.force, r.force);
            EXPECT_EQ(p.resetAfter, r.reset);
        }
    }
}

// Only the power actions ask for the shutdown privilege, and only where the
// system demands it; a restricted or remote user may still log off and lock.
TEST(PowerPlan, PrivilegeOnlyForPowerActionsOnEveryNt)
{
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const bool ownSession = code == ACTION_LOGOFF || code == ACTION_LOCK;
        EXPECT_EQ(!ownSession, PlanFor(code, kXp).needsPrivilege);
        EXPECT_EQ(!ownSession, PlanFor(code, {kPlatformNT, 10, 0}).needsPrivilege);
        EXPECT_EQ(!ownSession, PlanFor(code, kNt4).needsPrivilege);
        EXPECT_EQ(!ownSession, PlanFor(code, {kPlatformNT, 3, 51}).needsPrivilege);
        EXPECT_FALSE(PlanFor(code, kWin98).needsPrivilege);
        EXPECT_FALSE(PlanFor(code, {kPlatform9x, 6, 0}).needsPrivilege);
        EXPECT_FALSE(PlanFor(code, {0, 6, 0}).needsPrivilege);
    }
    EXPECT_TRUE(NeedsShutdownPrivilege(kXp));
    EXPECT_TRUE(NeedsShutdownPrivilege(kNt4));
    EXPECT_FALSE(NeedsShutdownPrivilege(kWin98));
}

// Every ExitWindowsEx request on the NT family says it was planned (major and
// minor "other"); the 9x family reserves that argument, so it gets 0.
TEST(PowerPlan, ExitRequestsCarryAPlannedReason)
{
    EXPECT_EQ(0x80000000u, kPlannedReason);
    for (int code = 0; code <= 8; ++code) {
        SCOPED_TRACE(code);
        const bool exits = PlanFor(code, kXp).request == R::ExitWindows;
        EXPECT_EQ(exits ? kPlannedReason : 0u, PlanFor(code, kXp).exitReason);
        EXPECT_EQ(exits ? kPlannedReason : 0u, PlanFor(code, kNt4).exitReason);
        EXPECT_EQ(exits ? kPlannedReason : 0u, PlanFor(code, {kPlatformNT, 10, 0}).exitReason);
        EXPECT_EQ(0u, PlanFor(code, kWin98).exitReason);
    }
}

}  // namespace
}  // namespace quellix
