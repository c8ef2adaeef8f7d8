// Reads a byte stream as lines: a line ends at LF, and a CR directly before
// the LF is not part of it. A line longer than the caller's limit arrives
// in pieces of at most that many characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "content/byte_stream.h"

namespace util {

struct LinePiece {
    std::string_view text;  // valid until the next read
    bool startsLine = true;
    bool endsLine = true;
    // The line ended at a line feed (not at the end of the input).
    bool lineFeed = true;
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
    // Passes over whole lines until one whose bytes begin with prefix (a
    // filter for walks that look only for such lines: every line that
    // begins with it is stopped at; the caller reads it with next() and
    // tests it). False at the end of the input.
    [[nodiscard]] bool skipToLineBeginning(std::string_view prefix);
    bool seek(std::uint64_t position);
    bool failed() const { return source_.failed(); }

private:
    void fill(std::size_t wanted);
    void ensure(std::size_t wanted) {
        if (end_ - begin_ < wanted && !atEnd_) fill(wanted);
    }

    ByteSource& source_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::uint64_t position_ = 0;
    bool atEnd_ = false;
    bool midLine_ = false;
};

// Tested on every line of a message: the first character is compared
// inline, since most lines differ from a delimiter right there.
inline bool startsWith(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    if (prefix.empty()) return true;
    return text[0] == prefix[0] && std::memcmp(text.data(), prefix.data(), prefix.size()) == 0;
}

}  // namespace util
