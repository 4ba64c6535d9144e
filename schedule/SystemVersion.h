// The system's version record and the user's logon name, read the way every
// part of the program reads them.
#pragma once
#include <windows.h>

#include <string>

#include "schedule/action_catalogue.h"

inline OSVERSIONINFOA ReadSystemVersion()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    ::GetVersionExA(&version);
    return version;
}

// Empty when it cannot be read.
inline std::string LogonName()
{
    char name[100];
    DWORD size = sizeof name;
    return ::GetUserNameA(name, &size) ? std::string(name) : std::string();
}

inline quellix::OsVersion OsVersionOf(const OSVERSIONINFOA& version)
{
    quellix::OsVersion os;
    os.platformId = version.dwPlatformId;
    os.major = version.dwMajorVersion;
    os.minor = version.dwMinorVersion;
    return os;
}
