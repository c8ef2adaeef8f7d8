// The local zone's offset from UTC in the form of a Date header ("+0100").
#pragma once

#include <cstdint>
#include <string>

namespace util {

// Which of the zone's periods the platform says is in force.
enum class TzPeriod { Failed, Unknown, Standard, Daylight };

// Whole hours east of UTC. bias is the minutes UTC is ahead of local
// standard time; daylightBias the extra minutes in daylight time. Each
// division truncates toward zero, so minutes are dropped. A zone without
// daylight time (period Unknown) uses its standard bias; only a failed
// query gives 0.
int tzOffsetHours(TzPeriod period, std::int32_t bias, std::int32_t daylightBias);

// A sign and four digits whose last two are "00": 0 -> "+0000", -5 -> "-0500".
std::string formatTzOffset(int hours);

}  // namespace util
