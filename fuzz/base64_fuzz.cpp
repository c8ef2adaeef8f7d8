// Base64 decoding of any text, cut anywhere; and the file encoder's text of
// any bytes decodes back to them.
#include <cstdint>

#include "content/transfer_decoders.h"
#include "content_fuzz.h"

using namespace content_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    const util::WorkHooks hooks;
    util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
    util::StringSink a, b;
    require(util::decodeBase64(whole, a, {0, "--b"}, hooks) == 0);
    require(util::decodeBase64(chunked, b, {0, "--b"}, hooks) == 0);
    require(a.bytes() == b.bytes() && a.bytes().size() <= in.bytes.size());

    util::MemorySource raw(in.bytes, in.chunk);
    util::StringSink text;
    require(util::encodeBase64(raw, text, hooks) == 0);
    util::MemorySource encoded(text.bytes(), in.chunk);
    util::StringSink back;
    require(util::decodeBase64(encoded, back, {0, ""}, hooks) == 0);
    require(back.bytes() == in.bytes);
    return 0;
}
