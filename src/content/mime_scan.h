// MIME structure scanning: what a message's own header block declares, and
// the byte position of the n-th attachment of a multipart message.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "content/byte_stream.h"

namespace util::mime {

// Results of findMimeBoundary.
enum MessageKind : int {
    kNothingRecognised = 0,
    kMultipartMixed = 1,
    kSingleBase64 = 2,
    kSingleQuoted = 3,
    kSingleBinHex = 4,
    kSingleUuencode = 5,
};

struct MessageBoundary {
    int kind = kNothingRecognised;
    std::string boundary;  // set only for kMultipartMixed
};

// Reads the header block (up to the first blank line) of a message.
MessageBoundary findMimeBoundary(ByteSource& message);

struct PartSearch {
    std::string_view delimiter;   // "--" and the boundary of the multipart to walk
    std::uint32_t wanted = 1;     // 1-based number of the attachment sought
    std::int64_t offset = 0;      // 1 or more: resume at this byte with startCount
    std::uint32_t startCount = 0;
};

struct PartFound {
    std::int64_t position = -1;   // first byte of the part's header lines, or -1
    std::string partDelimiter;    // delimiter of the multipart holding the part
};

// Walks the body of a multipart message, through nested multiparts, and
// counts the attachments in counter until it reaches search.wanted.
PartFound findBoundaryPos(ByteSource& message, const PartSearch& search, std::uint32_t& counter);

}  // namespace util::mime
