#include "frame/tz_offset.h"

#include <cstdio>
#include <cstdlib>

namespace util {

int tzOffsetHours(TzPeriod period, std::int32_t bias, std::int32_t daylightBias) {
    switch (period) {
    case TzPeriod::Standard:
    case TzPeriod::Unknown:
        return -(bias / 60);
    case TzPeriod::Daylight:
        return std::abs(daylightBias / 60) - bias / 60;
    case TzPeriod::Failed:
        break;
    }
    return 0;
}

std::string formatTzOffset(int hours) {
    char text[16];
    if (hours >= 0 && hours <= 9)
        std::snprintf(text, sizeof text, "+0%d00", hours);
    else if (hours >= 10)
        std::snprintf(text, sizeof text, "+%d00", hours);
    else if (hours >= -9)
        std::snprintf(text, sizeof text, "-0%d00", -hours);
    else
        std::snprintf(text, sizeof text, "-%d00", -hours);
    return text;
}

}  // namespace util
