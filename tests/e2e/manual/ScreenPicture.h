// Pictures of the screen taken by the manual checks (tools/screenshot-tray.sh).
#pragma once
#include <windows.h>

#include <string>

namespace e2e {

// Writes the screen's `rect` as a 24-bit BMP file; false if that failed.
bool SaveScreenPicture(const RECT& rect, const std::string& path);

// The directory named by $QUELLIX_PICTURES (a Linux or a Windows path), with
// a trailing backslash; the current directory when it is not set.
std::string PictureDirectory();

}  // namespace e2e
