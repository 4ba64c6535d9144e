#include "schedule/power_plan.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

using R = PowerPlan::Request;

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
    for (const Row& r : rows) {
        SCOPED_TRACE(r.code);
        const PowerPlan p = PlanFor(r.code);
        EXPECT_EQ(p.request, r.request);
        EXPECT_EQ(p.exitFlags, r.flags);
        EXPECT_EQ(p.suspend, r.suspend);
        EXPECT_EQ(p.force, r.force);
        EXPECT_EQ(p.resetAfter, r.reset);
    }
}

TEST(PowerPlan, PrivilegeOnlyOnNtFiveAndLater)
{
    EXPECT_TRUE(NeedsShutdownPrivilege({kPlatformNT, 5, 0}));
    EXPECT_TRUE(NeedsShutdownPrivilege({kPlatformNT, 10, 0}));
    EXPECT_FALSE(NeedsShutdownPrivilege({kPlatformNT, 4, 0}));
    EXPECT_FALSE(NeedsShutdownPrivilege({kPlatform9x, 4, 90}));
    EXPECT_FALSE(NeedsShutdownPrivilege({kPlatform9x, 6, 0}));
    EXPECT_FALSE(NeedsShutdownPrivilege({0, 6, 0}));
}

}  // namespace
}  // namespace quellix
