// What the mailbox viewer shows of a message: the list entry's text, the
// message text with or without its header lines, the envelope's addresses,
// the status-bar texts and the header part of the displayed lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace monitor {

// A message file is shown up to this many bytes.
inline constexpr std::size_t kShownBytes = 32000;
inline constexpr std::string_view kTruncationNote = "\r\n\r\nThis message has been truncated...";
// A text the message field refuses loses this many characters at a time.
inline constexpr std::size_t kRefusedCut = 100;
// The header lines are looked for among the field's first lines.
inline constexpr std::size_t kHeaderSearchLines = 256;

// "09:30:15 12 May 2003 (3)" for a unique name "2003-05-12-09-30-15-0003.txt"
// (without " (n)" for sequence 0); any other name unchanged.
std::string listEntryText(std::string_view fileName);

// The text the message field shows: bytes are the first kShownBytes of the
// file, truncated when the file was longer. Without header lines the text
// starts behind the first blank line (none: the whole text). Line ends
// become CR LF and a NUL byte a blank, as the field needs them.
std::string messageFieldText(std::string_view bytes, bool truncated, bool showHeaders);

// The next text to offer when the field refused one: the last
// kRefusedCut characters cut off, the truncation note put back when the
// message was truncated.
std::string cutRefusedText(std::string_view text, bool truncated);

// The addresses of an envelope (".adr" text): the last "MAIL FROM:" line's
// address and every "RCPT TO:" address, prefixes compared ignoring case.
struct EnvelopeAddresses {
    std::string from;
    std::vector<std::string> to;
};
EnvelopeAddresses envelopeAddresses(std::string_view text);

// Status part 0: " 12 May 2003  (40000 bytes)" for a date in UTC.
std::string messageDateText(int day, int month, int year, std::uint64_t size);
// Status part 1: " 3 messages".
std::string messageCountText(long count);
inline constexpr const char* kHeldText = "Held message";

// How many of the displayed lines are header lines: those before the first
// empty line among the first kHeaderSearchLines (all of those when none is
// empty).
std::size_t headerLineCount(const std::vector<std::string>& firstLines);

}  // namespace monitor
