// Reads a byte stream as lines: a line ends at LF, and a CR directly before
// the LF is not part of it. A line longer than the caller's limit arrives
// in pieces of at most that many characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "content/byte_stream.h"

namespace util {

struct LinePiece {
    std::string_view text;  // valid until the next read
    bool startsLine = true;
    bool endsLine = true;
    // A line with nothing before its line end.
    bool blank() const { return startsLine && endsLine && text.empty(); }
};

class LineReader {
public:
    static constexpr std::size_t kBufferSize = 64 * 1024;

    explicit LineReader(ByteSource& source);

    // Reads the next piece of at most maxLength characters; false at the
    // end of the input (see failed() for a read error).
    [[nodiscard]] bool next(std::size_t maxLength, LinePiece& piece);
    // Byte offset of the first byte not yet handed out.
    std::uint64_t position() const { return position_; }
    bool seek(std::uint64_t position);
    bool failed() const { return source_.failed(); }

private:
    void fill(std::size_t wanted);

    ByteSource& source_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
    bool midLine_ = false;
};

inline bool startsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace util
