// Base64 text to bytes, the part read as one stream: characters outside
// the alphabet (line ends included) are ignored, so a group may run across
// line ends; an "=" closes the group in progress, which gives its complete
// bytes, and a later character starts a new group; at the end, an
// unfinished group likewise gives only its complete bytes (two characters
// one byte, three characters two). Well-formed text decodes exactly as the
// standard says; the leniency is the standard's own advice for the rest.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace util {

class Base64Decoder {
public:
    // Room the bytes of a piece of the given length may need.
    static constexpr std::size_t maxBytes(std::size_t pieceLength) { return (pieceLength + 3) / 4 * 3 + 2; }

    // Decodes the next piece of text into out, which has room for
    // maxBytes(piece.size()); returns the end of the bytes written.
    char* more(std::string_view piece, char* out);
    // The complete bytes of an unfinished group at the end of the text.
    char* finish(char* out);

private:
    std::uint32_t bits_ = 0;  // the values of the unfinished group, six bits each
    int held_ = 0;            // how many
};

}  // namespace util
