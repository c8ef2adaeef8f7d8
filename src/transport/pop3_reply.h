// Reading POP3 reply lines: success or refusal, the STAT count, the size of
// a LIST answer, and the line as it is shown in a status text.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace util {

// A reply is a success when its first character is "+".
inline bool pop3Accepted(std::string_view line) { return !line.empty() && line[0] == '+'; }

// The message count of a STAT reply: the second piece of the line split at
// spaces, read as a decimal number; 0 when there is no second piece or it
// does not begin with a digit. A count too large for an int reads as the
// largest one.
int pop3StatCount(std::string_view line);

// The size in a "LIST n" reply: the last run of decimal digits in the line
// (at most its first 23 digits), read as an unsigned 32-bit number that
// stops at its largest value. Nothing when the line holds no digit.
std::optional<std::uint32_t> pop3ListSize(std::string_view line);

// The reply without its line end, as a status text shows it.
std::string_view pop3ShownLine(std::string_view line);

}  // namespace util
