#include "schedule/refusal_text.h"

#include "schedule/action_catalogue.h"

namespace quellix {

const char kNoActionText[] = "No action is selected in the list.";

namespace {
const char* ActionPhrase(int code)
{
    switch (code) {
    case ACTION_LOGOFF:
        return "log off";
    case ACTION_POWEROFF:
        return "turn off the computer";
    case ACTION_RESTART:
        return "restart the computer";
    case ACTION_HIBERNATE:
        return "hibernate the computer";
    case ACTION_STANDBY:
        return "put the computer on stand by";
    case ACTION_LOCK:
        return "lock the computer";
    case ACTION_SHUTDOWN:
    default:
        return "shut down the computer";
    }
}
}  // namespace

std::string RefusalText(int actionCode, const std::string& reason)
{
    std::string text = std::string("Unable to ") + ActionPhrase(actionCode) + ".";
    std::string::size_type end = reason.find_last_not_of(" \t\r\n");
    text += "\n\n";
    text += end == std::string::npos ? "The system gave no reason." : reason.substr(0, end + 1);
    return text;
}

}  // namespace quellix
