// The quoted-printable line rule: "=" and two hexadecimal digits give one
// byte, an "=" at the end of the line is a soft line break.
#pragma once

#include <string>
#include <string_view>

namespace util {

// Appends the decoded bytes of one line (its line end removed) to out,
// every one of them, an encoded zero byte included. Returns true when the
// line ends in a soft line break (no line end follows it).
bool decodeQuotedLine(std::string_view line, std::string& out);

}  // namespace util
