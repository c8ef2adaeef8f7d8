// A time of day as the windows and the generated messages write it.
#pragma once

#include <string>

namespace util {

// "%02d:%02d".
std::string clockText(int hour, int minute);

}  // namespace util
