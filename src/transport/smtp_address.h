// Addresses in a message's header lines and envelope lines, and the kinds
// of header line that name them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace util {

inline constexpr std::size_t kSenderMax = 255;
inline constexpr std::size_t kRecipientMax = 1023;

enum class HeaderKind { Other, From, To, Cc, Bcc, End };

// The kind of a header line (its line end already removed): after leading
// spaces and tabs, the exact prefixes "To:", "TO:", "to:", "From:", ...;
// an empty line ends the header.
HeaderKind headerKind(std::string_view line);

// The text behind the kind's prefix (the whole line for Other and End), so
// that "To:a@b" gives "a@b" rather than "To:a@b".
std::string_view headerValue(std::string_view line);

// The address of a sender line (a From header value or an envelope's
// "MAIL FROM:" line): around the first "@", from just after the nearest
// space, tab or "<" before it to the first space, tab, ">", CR or LF
// after it. Empty when the line holds no "@". Cut to 255 characters.
std::string senderAddress(std::string_view line);

// Every address of a To, Cc or Bcc line, one for each "@", bounded by
// commas, blanks, angle brackets and double quotes; each cut to 1,023.
void recipientAddresses(std::string_view line, std::vector<std::string>& out);

// True for a line that continues the header line before it.
inline bool continuesHeader(std::string_view line) {
    return !line.empty() && (line[0] == ' ' || line[0] == '\t');
}

}  // namespace util
