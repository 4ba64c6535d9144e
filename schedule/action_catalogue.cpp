#include "schedule/action_catalogue.h"

namespace quellix {

namespace {

struct CatalogueEntry {
    const char* entry;
    const char* verb;
    const char* description;
};

// Indexed by code - 1.
const CatalogueEntry kCatalogue[] = {
    {"Log off", "Log off", "Ends your session, leaving the computer running on full power."},
    {"Turn off power", "Turn off",
     "Ends your session, shuts down Windows and turns off power. "
     "System must support the power-off feature."},
    {"Shut down", "Shut down", "Ends your session and shuts down Windows so that you can safely turn off power."},
    {"Restart", "Restart", "Ends your session, shuts down Windows, and starts Windows again."},
    {"Hibernate", "Hibernate",
     "Saves your session to disk so that you can safely turn off power. "
     "Your session is restored the next time you start Windows."},
    {"Stand by", "Stand by",
     "While on standby, your computer consumes less electric power, "
     "but information in computer memory is not saved on your hard disk."},
    {"Lock Computer", "Lock computer", "Locks your computer so that you can safely leave it alone."},
};

const CatalogueEntry* Find(int code)
{
    if (code < ACTION_LOGOFF || code > ACTION_LOCK)
        return nullptr;
    return &kCatalogue[code - 1];
}

}  // namespace

std::vector<int> ListedActions(const OsVersion& os, bool withLogOff)
{
    std::vector<int> codes;
    if (withLogOff)
        codes.push_back(ACTION_LOGOFF);
    codes.insert(codes.end(), {ACTION_POWEROFF, ACTION_SHUTDOWN, ACTION_RESTART});
    if (os.platformId == kPlatformNT && os.major >= 5)
        codes.insert(codes.end(), {ACTION_HIBERNATE, ACTION_STANDBY, ACTION_LOCK});
    else if (os.platformId == kPlatform9x && os.major >= 4)
        codes.push_back(ACTION_STANDBY);
    return codes;
}

const char* ActionEntryText(int code)
{
    const CatalogueEntry* e = Find(code);
    return e ? e->entry : nullptr;
}

std::string LogOffEntryText(const std::string& userName) { return std::string(kCatalogue[0].entry) + " " + userName; }

const char* ActionVerb(int code)
{
    const CatalogueEntry* e = Find(code);
    return e ? e->verb : nullptr;
}

const char* ActionDescription(int code)
{
    const CatalogueEntry* e = Find(code);
    return e ? e->description : nullptr;
}

bool UsesNewTrayIcon(const OsVersion& os)
{
    if (os.platformId == kPlatformNT)
        return os.major > 5 || (os.major == 5 && os.minor >= 1);
    if (os.platformId == kPlatform9x)
        return os.major > 4 || (os.major == 4 && os.minor >= 90);
    return false;
}

}  // namespace quellix
