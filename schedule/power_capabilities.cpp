#include "schedule/power_capabilities.h"

#include "schedule/action_catalogue.h"
#include "schedule/refusal_text.h"

namespace quellix {

std::string CapabilityRefusal(int actionCode, const PowerCapabilities* capabilities)
{
    if (!capabilities)
        return "";
    const PowerCapabilities& c = *capabilities;
    switch (actionCode) {
    case ACTION_HIBERNATE:
        if (!c.s4)
            return RefusalText(actionCode, "This computer cannot hibernate.");
        if (!c.hiberFilePresent)
            return RefusalText(actionCode, "Hibernation is turned off on this computer.");
        return "";
    case ACTION_STANDBY:
        if (!c.s1 && !c.s2 && !c.s3)
            return RefusalText(actionCode, "This computer has no stand-by state.");
        return "";
    default:
        return "";
    }
}

}  // namespace quellix
