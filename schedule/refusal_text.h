// What the user is told when an action could not be carried out.
#pragma once

#include <string>

namespace quellix {

// "Unable to shut down the computer." and, on its own paragraph, the system's
// reason (its message text for the error code; trailing line breaks dropped).
// Unknown codes are carried out as a shut-down and named so.
std::string RefusalText(int actionCode, const std::string& reason);

// An expiry or "Now" with no entry selected in the action list.
extern const char kNoActionText[];

}  // namespace quellix
