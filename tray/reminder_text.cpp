#include "tray/reminder_text.h"

#include "afx/ascii.h"
#include "schedule/action_catalogue.h"
#include "schedule/remaining_text.h"

namespace quellix {

namespace {
constexpr size_t kTipChars = 63;
const char kStopText[] = "Quellix\ntimer stopped.";
}  // namespace

std::string ActionPhrase(int code, const std::string& userName)
{
    switch (code) {
    case ACTION_LOGOFF:
        return "log off " + userName;
    case ACTION_POWEROFF:
        return "turn off the computer power";
    case ACTION_SHUTDOWN:
        return "shut down the computer";
    case ACTION_RESTART:
        return "restart the computer";
    case ACTION_HIBERNATE:
        return "hibernate the computer";
    case ACTION_STANDBY:
        return "standby the computer";
    case ACTION_LOCK:
        return "lock the computer";
    default:
        return std::string();
    }
}

Reminder ComposeReminder(bool remember, bool warning, bool running, int actionCode, const std::string& userName,
                         const std::string& remainingText)
{
    Reminder r;
    const bool flagged = remember || warning;
    // A running countdown is only ever announced with a prefix.
    if (running && !flagged)
        return r;
    r.show = true;
    if (!flagged) {
        r.text = kStopText;
        r.width = 150;
        r.height = 50;
        r.staySeconds = 4;
        r.first = kBlueFirst, r.middle = kBlueMiddle, r.last = kBlueLast;
        return r;
    }
    if (running) {
        const std::string phrase = ActionPhrase(actionCode, userName);
        r.text = "Quellix\n will " + phrase + "\n after " + remainingText;
        // The width follows the phrase alone: 120 + floor(2.5 * length).
        r.width = 120 + static_cast<int>(5 * phrase.size() / 2);
        r.height = 65;
    } else {
        r.text = kStopText;
        r.width = 150;
        r.height = 60;
    }
    if (warning)
        r.text = "Warning!\n" + r.text;
    if (remember)
        r.text = "Remember!\n" + r.text;
    r.staySeconds = 7;
    r.first = kRedFirst, r.middle = kRedMiddle, r.last = kRedLast;
    return r;
}

std::string TrayTipText(const std::string& title, const std::string& shownText)
{
    return CutTip(title + " " + afx::AsciiLower(shownText));
}

std::string WaitingTipText(const std::string& title, const WaitTarget& target)
{
    // Only the leading capital is lowered, as the counting tip lowers its "Left".
    std::string waiting = WaitingText(target);
    waiting[0] = 'w';
    return CutTip(title + " " + waiting);
}

std::string CutTip(const std::string& text) { return text.substr(0, kTipChars); }

}  // namespace quellix
