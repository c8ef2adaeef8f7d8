// Base64 text to bytes, line by line: groups of four characters, "=" ends
// the line's data, a character outside the alphabet counts as 0, a group
// of three at the end of a line still gives three bytes and a remainder of
// one or two characters is dropped. A line may arrive in pieces: the
// unfinished group is carried to the next piece, so a line decodes the
// same however it was cut.
#pragma once

#include <string>
#include <string_view>

namespace util {

class Base64Decoder {
public:
    // Decodes one piece of a line and appends the bytes to out; endsLine
    // says whether the line ends with this piece.
    void more(std::string_view piece, bool endsLine, std::string& out);

private:
    void endLine(std::string& out);
    char group_[4] = {};
    int held_ = 0;
    bool restIgnored_ = false;  // an "=" ended the line's data
};

}  // namespace util
