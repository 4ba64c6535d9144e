// When the selected action is carried out: at once, at a time of day, after a
// number of minutes, after a program has ended, or after minutes without
// input; None where nothing says.
#pragma once

namespace quellix {

enum class Timing { None, Now, At, After, WaitFor, Idle };

}  // namespace quellix
