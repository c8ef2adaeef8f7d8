// Text extraction on any message: the same text and count however the
// input is cut, and never more attachments than delimiter lines.
#include <cstdint>

#include "content/mime_scan.h"
#include "content/text_extract.h"
#include "content_fuzz.h"

using namespace content_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    util::MemorySource header(in.bytes);
    util::mime::MessageBoundary found = util::mime::findMimeBoundary(header);
    std::string delimiter = "--" + (found.boundary.empty() ? std::string("b") : found.boundary);
    util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
    util::StringSink a, b;
    std::int32_t countA = util::mime::extractMimeText(whole, a, delimiter);
    std::int32_t countB = util::mime::extractMimeText(chunked, b, delimiter);
    require(countA == countB && a.bytes() == b.bytes() && countA >= 0);
    std::size_t lines = 0;
    for (char c : in.bytes) lines += c == '\n';
    require(static_cast<std::size_t>(countA) <= lines + 1);
    return 0;
}
