// How a copy started with a command hands it to the copy already running:
// the running copy's dialog carries a window property that names it, and
// takes the command as WM_COPYDATA, the command's own text. Its answer is
// the exit status of the copy that handed it over.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/shared_names.h"

namespace quellix {

// The answer to a handed-over command: kCommandReplyTag and the exit status.
inline LRESULT CommandReply(int status) { return kCommandReplyTag | (status & 0xFFFF); }

// The action codes this system's action list holds, as the dialog fills it.
std::vector<int> OfferedActionCodes();

// Reads this process's command line. False when the program is to end at
// once: the usage was asked for, or the arguments were refused, a "/waitfor"
// among them when no such process runs (a box, or the console the copy was
// started from, has said why; with /quiet nothing has); *exitStatus then
// holds the status to end with.
bool ReadCommandLine(ScriptedCommand* command, int* exitStatus);

// Says that a "/postpone" finds no countdown running, as ReadCommandLine says a
// refusal; returns kExitNothingToPostpone.
int ReportNothingToPostpone(bool quiet);

// Hands `command` to the running copy and returns the exit status: its
// answer, or kExitNoAnswer (said as ReadCommandLine says a refusal) when none came.
int HandOverCommand(const ScriptedCommand& command);

}  // namespace quellix
