// Quoted-printable decoding of any text, cut anywhere, with and without
// the header block copied.
#include <cstdint>

#include "content/transfer_decoders.h"
#include "content_fuzz.h"

using namespace content_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    const util::WorkHooks hooks;
    bool copyHeaders = size > 0 && (data[0] & 0x80);
    util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
    util::StringSink a, b;
    require(util::decodeQuoted(whole, a, copyHeaders, {0, "--b"}, hooks) == 0);
    require(util::decodeQuoted(chunked, b, copyHeaders, {0, "--b"}, hooks) == 0);
    require(a.bytes() == b.bytes());
    // At most the input plus a CR for each line end (or CR LF for a last
    // line without one).
    require(a.bytes().size() <= 2 * in.bytes.size() + 2);
    return 0;
}
