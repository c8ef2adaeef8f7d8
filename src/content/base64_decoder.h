// Base64 text to bytes, line by line: groups of four characters, "=" ends
// the line's data, a character outside the alphabet counts as 0, a group
// of three at the end of a line still gives three bytes and a remainder of
// one or two characters is dropped. A line may arrive in pieces: the
// unfinished group is carried to the next piece, so a line decodes the
// same however it was cut.
#pragma once

#include <cstddef>
#include <string_view>

namespace util {

class Base64Decoder {
public:
    // Room the bytes of a piece of the given length may need.
    static constexpr std::size_t maxBytes(std::size_t pieceLength) { return (pieceLength + 3) / 4 * 3 + 3; }

    // Decodes one piece of a line into out, which has room for
    // maxBytes(piece.size()); endsLine says whether the line ends with this
    // piece. Returns the end of the bytes written.
    char* more(std::string_view piece, bool endsLine, char* out);

private:
    char group_[4] = {};
    int held_ = 0;
    bool restIgnored_ = false;  // an "=" ended the line's data
};

}  // namespace util
