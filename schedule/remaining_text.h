// The remaining-time text of the dialog, the tray tip and the reminders.
#pragma once

#include "schedule/wait_target.h"

#include <string>

namespace quellix {

// "45 sec.", "4 min. and 59 sec.", "1 hour(s)  and 30 min.", "24 hour(s) ".
std::string FormatRemaining(int seconds);

// What a "/waitfor" countdown shows instead of the time until its program has
// ended: "Waiting for ffmpeg.exe to end", "Waiting for process 1234 to end".
std::string WaitingText(const WaitTarget& target);
// The same wait in a reminder's "after ..." line: "ffmpeg.exe ends", "process 1234 ends".
std::string WaitEndText(const WaitTarget& target);
// A "/waitfor" refused at its start: "ffmpeg.exe is not running: there is nothing to wait for."
std::string NothingToWaitForText(const WaitTarget& target);

}  // namespace quellix
