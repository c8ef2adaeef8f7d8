// Quoted-printable text to bytes, line by line: "=" and two hexadecimal
// digits (either case) give one byte, an encoded zero byte included; an
// "=" that ends a line is a soft line break, which joins the line to the
// next; any other "=" is kept as it stands, with what follows it (an
// unencoded "=" in a web address, say). Every other line ends in CR LF.
#pragma once

#include <string>
#include <string_view>

namespace util {

// A line may arrive in pieces: an "=" near the end of a piece waits for
// the characters that follow it, so a line decodes the same however it
// was cut.
class QuotedPrintableDecoder {
public:
    // Appends the bytes of one piece of a line to out, then CR LF when the
    // piece ends the line without a soft line break.
    void more(std::string_view piece, bool endsLine, std::string& out);

private:
    void decode(std::string_view text, bool endsLine, std::string& out);
    std::string held_;  // an "=" at the end of a piece, and what followed it
};

}  // namespace util
