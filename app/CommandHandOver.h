// How a copy started with a command hands it to the copy already running:
// the running copy's dialog carries a window property that names it, and
// takes the command as WM_COPYDATA, the command's own text. Its answer is
// the exit status of the copy that handed it over.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/command_line.h"

namespace quellix {

// The property that marks the dialog of the running copy, and its value.
constexpr char kCommandWindowProperty[] = "Quellix.CommandWindow.5D31A07F42C8";
constexpr ULONG_PTR kCommandWindowMark = 0x51584357;  // "QXCW"
// WM_COPYDATA's dwData for a command, and the most text one may hold.
constexpr ULONG_PTR kCommandDataTag = 0x51584331;  // "QXC1"
constexpr DWORD kMaxCommandBytes = 1024;
// The answer: a tag in the high word (a window that does not know the
// message answers 0), the exit status in the low word.
constexpr LRESULT kCommandReplyTag = 0x51580000;
inline LRESULT CommandReply(int status) { return kCommandReplyTag | (status & 0xFFFF); }

// The action codes this system's action list holds, as the dialog fills it.
std::vector<int> OfferedActionCodes();

// Reads this process's command line. False when the program is to end at
// once: the usage was asked for, or the arguments were refused (a box has
// said why), a "/waitfor" among them when no such process runs; *exitStatus
// then holds the status to end with.
bool ReadCommandLine(ScriptedCommand* command, int* exitStatus);

// The box of a "/postpone" with no countdown running; returns kExitNothingToPostpone.
int ReportNothingToPostpone();

// Hands `command` to the running copy and returns the exit status: its
// answer, or kExitNoAnswer (with a box) when none came.
int HandOverCommand(const ScriptedCommand& command);

}  // namespace quellix
