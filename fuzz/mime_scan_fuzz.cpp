// The scanners on any message: bounded positions and counts, and the same
// answers however the input is cut.
#include <cstdint>

#include "content/mime_limits.h"
#include "content/mime_scan.h"
#include "content_fuzz.h"

using namespace content_fuzz;
using namespace util::mime;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
    MessageBoundary a = findMimeBoundary(whole), b = findMimeBoundary(chunked);
    require(a.kind == b.kind && a.boundary == b.boundary && a.kind >= 0 && a.kind <= 5);
    require(a.boundary.size() <= kMaxBoundaryLength && (a.kind == kMultipartMixed) == !a.boundary.empty());
    std::string delimiter = "--" + (a.boundary.empty() ? std::string("b") : a.boundary);
    for (std::uint32_t wanted = 1; wanted <= 4; ++wanted) {
        util::MemorySource one(in.bytes), two(in.bytes, in.chunk);
        std::uint32_t countOne = 0, countTwo = 0;
        PartFound x = findBoundaryPos(one, {delimiter, wanted}, countOne);
        PartFound y = findBoundaryPos(two, {delimiter, wanted}, countTwo);
        require(x.position == y.position && x.partDelimiter == y.partDelimiter && countOne == countTwo);
        require(x.position >= -1 && x.position <= static_cast<std::int64_t>(in.bytes.size()));
        require(x.partDelimiter.size() <= kMaxPartDelimiterLength);
        require(countOne <= wanted && (x.position >= 0) == (countOne == wanted));
        if (x.position < 0) break;
        util::MemorySource resumed(in.bytes, in.chunk);
        std::uint32_t countResumed = 0;
        PartFound next = findBoundaryPos(resumed, {delimiter, wanted + 1, x.position, wanted}, countResumed);
        require(next.position == -1 || next.position > x.position);
    }
    return 0;
}
