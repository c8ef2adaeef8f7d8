// BinHex decoding of any text, cut anywhere, then the data fork out of the
// decoded stream: never more than the stream holds.
#include <cstdint>

#include "content/binhex_decoder.h"
#include "content/transfer_decoders.h"
#include "content_fuzz.h"

using namespace content_fuzz;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    const util::WorkHooks hooks;
    util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
    util::StringSink a, b;
    require(util::decodeBinHexStream(whole, a, {0, "--b"}, hooks) == 0);
    require(util::decodeBinHexStream(chunked, b, {0, "--b"}, hooks) == 0);
    require(a.bytes() == b.bytes());
    util::MemorySource stream(a.bytes(), in.chunk);
    util::BinHexHeader header = util::readBinHexHeader(stream);
    util::StringSink fork;
    require(util::copyDataFork(stream, header, fork));
    require(fork.bytes().size() <= 2 * a.bytes().size());
    return 0;
}
