// Uuencode decoding of any text, block after block, cut anywhere: the
// position only moves forward.
#include <cstdint>

#include "content/transfer_decoders.h"
#include "content_fuzz.h"

using namespace content_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    const util::WorkHooks hooks;
    std::int64_t positionA = 0, positionB = 0;
    for (int block = 0; block < 8; ++block) {
        util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
        util::StringSink a, b;
        std::int64_t before = positionA;
        int resultA = util::decodeUuencode(whole, a, positionA, "--b", hooks);
        int resultB = util::decodeUuencode(chunked, b, positionB, "--b", hooks);
        require(resultA == resultB && positionA == positionB && a.bytes() == b.bytes());
        require(positionA >= 0 && positionA <= static_cast<std::int64_t>(in.bytes.size()));
        if (resultA != 0 || positionA <= before) break;
    }
    return 0;
}
