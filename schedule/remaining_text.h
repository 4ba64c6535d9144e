// The remaining-time text of the dialog, the tray tip and the reminders.
#pragma once

#include <string>

namespace quellix {

// "45 sec.", "4 min. and 59 sec.", "1 hour(s)  and 30 min.", "24 hour(s) ".
std::string FormatRemaining(int seconds);

}  // namespace quellix
