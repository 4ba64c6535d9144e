// Which end-of-session actions exist on which system, and their texts.
#pragma once

#include <string>
#include <vector>

namespace quellix {

// Stored as the item data of each action list entry; the code, not the list
// position, decides what is carried out.
enum ActionCode {
    ACTION_LOGOFF = 1,
    ACTION_POWEROFF,
    ACTION_SHUTDOWN,
    ACTION_RESTART,
    ACTION_HIBERNATE,
    ACTION_STANDBY,
    ACTION_LOCK
};

// dwPlatformId values of the system's version record.
constexpr unsigned kPlatform9x = 1, kPlatformNT = 2;

struct OsVersion {
    unsigned platformId = 0, major = 0, minor = 0;
};

// The action list's codes in their order: "Log off <name>" when the name is
// known, "Turn off power", "Shut down", "Restart", then what the system offers.
std::vector<int> ListedActions(const OsVersion& os, bool withLogOff);

// List text of a code ("Log off" alone for code 1); nullptr for unknown codes.
const char* ActionEntryText(int code);
std::string LogOffEntryText(const std::string& userName);

// Verb used in the captions and the expiry prompt; nullptr for unknown codes.
const char* ActionVerb(int code);

// Explanation shown beside the list; nullptr for unknown codes.
const char* ActionDescription(int code);

// Whether the system draws the small coloured tray icon rather than the old
// 16-colour one (XP and later, Windows Me).
bool UsesNewTrayIcon(const OsVersion& os);

}  // namespace quellix
