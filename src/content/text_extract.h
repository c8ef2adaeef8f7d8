// Plain-text extraction: a multipart message turned into a text message of
// its own header block (less the multipart content-type line) and its
// readable parts (text and message parts, quoted-printable decoded), with
// every attachment left out.
#pragma once

#include <cstdint>
#include <string_view>

#include "content/byte_stream.h"

namespace util::mime {

// Returns the number of attachments left out, or -1 when the delimiter is
// empty or the output could not be written whole.
std::int32_t extractMimeText(ByteSource& message, ByteSink& out, std::string_view delimiter);

// The same between files: -1 also when either file cannot be opened.
std::int32_t extractMimeTextFile(const char* inName, const char* outName, std::string_view delimiter);

}  // namespace util::mime
