// When the selected action is carried out: at once, at a time of day, or
// after a number of minutes; None where nothing says.
#pragma once

namespace quellix {

enum class Timing { None, Now, At, After };

}  // namespace quellix
