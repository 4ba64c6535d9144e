// Whether the machine can carry out a stand-by or a hibernate, decided
// before the countdown rather than at its end.
#pragma once

#include <string>

namespace quellix {

// What the system reports of its sleeping states.
struct PowerCapabilities {
    bool s1 = false, s2 = false, s3 = false;  // the stand-by states
    bool s4 = false;                          // hibernation
    bool hiberFilePresent = false;            // hibernation is turned on
};

// The refusal to show for `actionCode` on a machine with `capabilities`
// ("Unable to hibernate the computer." and the reason), or "" when the
// action can be carried out, is no power state, or the capabilities are
// unknown (nullptr: the system could not say).
std::string CapabilityRefusal(int actionCode, const PowerCapabilities* capabilities);

}  // namespace quellix
