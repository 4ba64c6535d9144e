// Decoding of the values read back from the settings key.
#pragma once

#include <cstdint>

namespace quellix {

// The minutes of the "after" mode.
constexpr int kMinutesMin = 1;
constexpr int kMinutesMax = 2880;
constexpr bool IsValidMinutes(int minutes) { return minutes >= kMinutesMin && minutes <= kMinutesMax; }

// "TurnOffNow", "TurnOffAfter" and "ConfirmTurnOff" hold 0 or 1; any other
// number is damage and counts as missing, so that a damaged "ConfirmTurnOff"
// keeps the question rather than switching it off.
constexpr bool IsValidSwitch(int32_t value) { return value == 0 || value == 1; }

// The program writes every setting as REG_DWORD (type 4, 4 bytes, little
// endian). Anything else, whatever its size, is taken as missing and leaves
// *value alone.
bool DecodeStoredDword(unsigned long type, const unsigned char* data, unsigned long size, int32_t* value);

}  // namespace quellix
