// BinHex 4.0 text to its byte stream, and the data fork out of that stream.
//
// The text is taken in groups of four characters of the BinHex alphabet
// (a character outside it counts as its own code); ":" marks the end of the
// data. The decoded bytes are run-length expanded: 0x90 followed by a count
// repeats the byte before it, 0x90 0x00 stands for 0x90 itself.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "content/byte_stream.h"

namespace util {

class BinHexDecoder {
public:
    explicit BinHexDecoder(ByteSink& stream);
    // Decodes one line, its line end removed. On the opening line the
    // leading ":" is skipped. Characters short of a group are carried to
    // the next line.
    void line(std::string_view text, bool opening);
    // Writes what is left in the expansion buffer; false if a write fell short.
    bool finish();

private:
    void group(const unsigned char* values, int count);
    void expand(unsigned char byte);
    void put(unsigned char byte);

    ByteSink& stream_;
    unsigned char carried_[4] = {};
    int held_ = 0;
    bool marker_ = false;
    unsigned char last_ = 0;
    std::vector<char> block_;
};

// The header of a decoded BinHex stream, as far as the data fork needs it.
struct BinHexHeader {
    bool text = false;            // file type "text", in any case
    std::int64_t dataLength = 0;  // 0 when the header is incomplete or says 0 or less
};

// Reads the header; the stream then stands at the data fork.
BinHexHeader readBinHexHeader(ByteSource& stream);

// Copies the data fork to out, each CR as CR LF for a "text" fork. A stream
// shorter than its header declares gives what it holds. False if a write
// fell short.
bool copyDataFork(ByteSource& stream, const BinHexHeader& header, ByteSink& out);

}  // namespace util
