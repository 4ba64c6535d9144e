#include "schedule/action_catalogue.h"
#include "schedule/power_capabilities.h"

#include <gtest/gtest.h>

namespace quellix {
namespace {

PowerCapabilities Caps(bool s1, bool s2, bool s3, bool s4, bool hiberFile)
{
    PowerCapabilities c;
    c.s1 = s1;
    c.s2 = s2;
    c.s3 = s3;
    c.s4 = s4;
    c.hiberFilePresent = hiberFile;
    return c;
}

TEST(PowerCapabilities, RefusesOnlyWhatTheMachineCannotDo)
{
    const std::string kNoHibernation = "Unable to hibernate the computer.\n\nThis computer cannot hibernate.";
    const std::string kHibernationOff =
        "Unable to hibernate the computer.\n\nHibernation is turned off on this computer.";
    const std::string kNoStandBy = "Unable to put the computer on stand by.\n\nThis computer has no stand-by state.";
    struct Case {
        const char* machine;
        PowerCapabilities caps;
        std::string hibernate, standby;
    } const cases[] = {
        // What Wine 8 reports: S1 and S4 with a hibernation file.
        {"wine", Caps(true, false, false, true, true), "", ""},
        {"S3 only, hibernation off", Caps(false, false, true, true, false), kHibernationOff, ""},
        {"S2 only, no S4", Caps(false, true, false, false, false), kNoHibernation, ""},
        // A file without the state does not make hibernation possible.
        {"no sleeping state", Caps(false, false, false, false, true), kNoHibernation, kNoStandBy},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CapabilityRefusal(ACTION_HIBERNATE, &c.caps), c.hibernate) << c.machine;
        EXPECT_EQ(CapabilityRefusal(ACTION_STANDBY, &c.caps), c.standby) << c.machine;
        // The other actions are no power state: never refused here.
        for (int code : {1, 2, 3, 4, 7, 0, 99})
            EXPECT_EQ(CapabilityRefusal(code, &c.caps), "") << c.machine << " " << code;
    }
    // Unknown (no powrprof, or the call failed): today's behaviour, no refusal.
    EXPECT_EQ(CapabilityRefusal(ACTION_HIBERNATE, nullptr), "");
    EXPECT_EQ(CapabilityRefusal(ACTION_STANDBY, nullptr), "");
}

}  // namespace
}  // namespace quellix
