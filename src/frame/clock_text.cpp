#include "frame/clock_text.h"

#include <cstdio>

namespace util {

std::string clockText(int hour, int minute) {
    char text[32];
    std::snprintf(text, sizeof text, "%02d:%02d", hour, minute);
    return text;
}

}  // namespace util
