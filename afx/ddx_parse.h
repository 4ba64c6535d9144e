// Text helpers of the framework's dialog data exchange; platform-free.
#pragma once

#include <string>

namespace afx {

// An integer as typed into an edit control: blanks and tabs around it, an
// optional sign, at least one digit, nothing else, within the range of int.
// On failure *value is left alone.
bool ParseDialogInt(const char* text, int* value);

// The same, but only an integer from minVal to maxVal counts; otherwise
// *value is left alone.
bool ParseDialogIntInRange(const char* text, int minVal, int maxVal, int* value);

// Fills "%1" and "%2" of a message pattern; other text, other "%" sequences
// included, is copied as it is, and the arguments are not scanned again.
std::string FormatWithArgs(const char* pattern, const std::string& a1, const std::string& a2);

}  // namespace afx
