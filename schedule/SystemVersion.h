// The system's version record, read the way every part of the program reads it.
#pragma once
#include <windows.h>

#include "schedule/action_catalogue.h"

inline OSVERSIONINFOA ReadSystemVersion()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;  // 148 bytes
    ::GetVersionExA(&version);
    return version;
}

inline quellix::OsVersion OsVersionOf(const OSVERSIONINFOA& version)
{
    quellix::OsVersion os;
    os.platformId = version.dwPlatformId;
    os.major = version.dwMajorVersion;
    os.minor = version.dwMinorVersion;
    return os;
}
