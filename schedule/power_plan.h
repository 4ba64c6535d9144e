// Which system request carries out an action, decided without the platform.
#pragma once

#include "schedule/action_catalogue.h"

namespace quellix {

struct PowerPlan {
    enum class Request { ExitWindows, SetPowerState, Lock } request;
    unsigned exitFlags;   // ExitWindowsEx flags; 0 for the other requests
    unsigned exitReason;  // ExitWindowsEx's second argument; 0 for the other requests
    bool suspend;         // SetSystemPowerState: TRUE = stand by, FALSE = hibernate
    bool force;           // the request does not ask other applications
    bool resetAfter;      // the dialog is reset once the request returns
    bool needsPrivilege;  // the shutdown privilege must be enabled first
};

// ExitWindowsEx reason: major "other", minor "other", flag "planned", so
// that the system records an intended action rather than an unexplained one.
constexpr unsigned kPlannedReason = 0x80000000u;

// Every NT-family system, NT 4.0 included, refuses the power requests
// without the shutdown privilege enabled in the process token.
bool NeedsShutdownPrivilege(const OsVersion& os);

// Codes 1..7; any other code is treated as a shut-down. Log off and lock
// never need the privilege; the 9x family takes no reason (the argument is
// reserved there).
PowerPlan PlanFor(int actionCode, const OsVersion& os);

}  // namespace quellix
