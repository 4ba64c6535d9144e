// Which system request carries out an action, decided without the platform.
#pragma once

#include "schedule/action_catalogue.h"

namespace quellix {

struct PowerPlan {
    enum class Request { ExitWindows, SetPowerState, Lock } request;
    unsigned exitFlags;  // ExitWindowsEx flags; 0 for the other requests
    bool suspend;        // SetSystemPowerState: TRUE = stand by, FALSE = hibernate
    bool force;          // the request does not ask other applications
    bool resetAfter;     // the dialog is reset once the request returns
};

// NT-family systems from Windows 2000 on refuse the requests without the
// shutdown privilege enabled in the process token.
bool NeedsShutdownPrivilege(const OsVersion& os);

// Codes 1..7; any other code is treated as a shut-down.
PowerPlan PlanFor(int actionCode);

}  // namespace quellix
