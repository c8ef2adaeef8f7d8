// The two forms of an event: the line shown in the event list and the line
// appended to the event log file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "frame/local_time.h"

namespace util {

// Both lines are at most this long in all.
inline constexpr std::size_t kMaxEventLine = 1023;

// Event list: the text up to its first line break, a tab, "7 Dec 2026",
// a tab and "08:05:09". The text is cut so the whole line fits.
std::string eventListLine(std::string_view text, const LocalTime& t);

// The C library's fixed date text without its line feed:
// "Mon Dec 07 08:05:09 2026".
std::string cDateText(const LocalTime& t);

// Event log file: date text, " : ", the text unchanged (line breaks
// included) and CR LF, cut so the whole line, CR LF included, fits.
std::string eventFileLine(std::string_view text, const LocalTime& t);

}  // namespace util
