// The code of an SMTP reply line.
#pragma once

#include <string_view>

namespace util {

// The number formed by at most three digits from the line's first digit
// on; -1 when the line is empty, has no digit, or the number is 0. So
// "250-size" gives 250 and "354 go ahead" 354.
int parseSmtpReplyCode(std::string_view line);

}  // namespace util
