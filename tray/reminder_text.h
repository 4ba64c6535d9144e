// Composition of the reminders shown in the popup notifier, and the tray tip.
#pragma once

#include <cstdint>
#include <string>

#include "schedule/wait_target.h"

namespace quellix {

// Gradient stops of the popups (COLORREF, 0x00BBGGRR).
constexpr uint32_t kRedFirst = 0xA1B1F3, kRedMiddle = 0xFFFFFF, kRedLast = 0x3759E3;
constexpr uint32_t kBlueFirst = 0xE89675, kBlueMiddle = 0xFFFFFF, kBlueLast = 0xE18662;

struct Reminder {
    bool show = false;
    std::string text;  // '\n' breaks lines
    int width = 0, height = 0, staySeconds = 0;
    uint32_t first = 0, middle = 0, last = 0;
};

// "log off " + name, "turn off the computer power", ...; "" for unknown codes.
std::string ActionPhrase(int code, const std::string& userName);

// remember / warning ask for the "Remember!" / "Warning!" prefix; running
// chooses between the countdown text and the "timer stopped" text.
Reminder ComposeReminder(bool remember, bool warning, bool running, int actionCode, const std::string& userName,
                         const std::string& remainingText);

// The tip while counting: title, a blank and the lower-cased shown text.
std::string TrayTipText(const std::string& title, const std::string& shownText);

// The tip while a "/waitfor" countdown waits: title, " waiting for ", the
// name as given (not lower-cased), " to end"; cut like any tip.
std::string WaitingTipText(const std::string& title, const WaitTarget& target);

// The tip field holds 63 characters and its terminator.
std::string CutTip(const std::string& text);

}  // namespace quellix
