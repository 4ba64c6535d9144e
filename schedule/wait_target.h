// What a "/waitfor" countdown waits for: every process of an image name, or
// one process by its id.
#pragma once

#include <cstdint>
#include <string>

namespace quellix {

struct WaitTarget {
    std::string imageName;   // "ffmpeg.exe", as Task Manager shows it; empty when waiting for an id
    uint32_t processId = 0;  // when imageName is empty; 0 for no target

    bool Empty() const { return imageName.empty() && processId == 0; }
    bool operator==(const WaitTarget& other) const
    {
        return imageName == other.imageName && processId == other.processId;
    }
};

// The value of "/waitfor": digits alone are a process id (1 to 4294967295),
// anything else an image name without a folder (no \ / : and none of the
// characters a file name may not hold, not beginning with '-' or a blank, at
// most 255 characters). False, and
// *target untouched, for anything else.
bool ParseWaitTarget(const std::string& value, WaitTarget* target);

// The image name of a process list entry: the part after the last folder
// separator, since Windows 9x lists the whole path.
std::string ImageNameOf(const std::string& exeFile);

// Whether a process list entry (a name or a path) has the image name `wanted`:
// ASCII letters compare regardless of case, any other byte exactly.
bool SameImageName(const std::string& wanted, const std::string& exeFile);

}  // namespace quellix
