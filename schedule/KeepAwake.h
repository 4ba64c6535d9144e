// Keeps the system from sleeping for lack of input while a countdown runs.
// Only the system: the display still turns off and locks as the user's
// settings say, and sleep the user asks for (the lid, Start, the power
// button) still comes.
#pragma once
#include <windows.h>

// On: the system stays awake until Off, or until the program ends. Either
// call gives the state the thread asked for before it; 0 where the system
// has no such request (Windows 95, NT 4.0), and nothing changes there.
EXECUTION_STATE KeepSystemAwake(bool on);
