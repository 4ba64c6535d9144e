// The timings that wait for a condition before their end is known: a program
// that ends ("/waitfor"), minutes without input ("/idle").
#pragma once
#include "app/command_line.h"
#include "schedule/ProcessWatch.h"

#include <string>

// Why `command`'s timing cannot start here, or "" when it can (and for every
// other timing). *status: kExitBadArguments when no process of a "/waitfor"
// runs, kExitNotPossible when this computer cannot list processes or read the
// last input. A "/waitfor" that can start leaves `watch` watching.
std::string ConditionRefusal(const quellix::ScriptedCommand& command, CProcessWatch* watch, int* status);
