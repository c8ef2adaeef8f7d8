// The message text as it goes to the server after DATA: every line ends in
// CR LF, a line that begins with "." gets a second one, long lines travel
// in pieces, and the message's own From header line can be replaced. The
// caller's sink buffers the bytes and is asked before every piece whether
// to go on (it pumps messages and tests the abort flag there).
#pragma once

#include <cstdint>
#include <string_view>

#include "transport/smtp_lines.h"

namespace util {

// A line longer than this travels in pieces of at most this many characters.
inline constexpr std::size_t kDataPieceMax = 2045;

class DataSink {
public:
    virtual ~DataSink() = default;
    // Before each piece: false stops the transfer as aborted.
    virtual bool proceed() = 0;
    // False when the bytes cannot be sent.
    virtual bool write(std::string_view bytes) = 0;
    // After each piece: the bytes of the message sent so far (added dots
    // not counted).
    virtual void sent(std::uint64_t total) = 0;
};

enum class DataOutcome { Sent, Aborted, WriteFailed };

// Writes the message from reader to sink, without the end-of-data line.
// With a non-empty sender, the line "From: sender" is written first and
// the message's own first From header line (with its continuation lines)
// is left out; the search for it ends at the end of the header.
DataOutcome writeMessageData(SpoolLineReader& reader, std::string_view rewriteSender, DataSink& sink);

// True when the line begins with "from:" in any case.
bool beginsWithFrom(std::string_view line);

}  // namespace util
