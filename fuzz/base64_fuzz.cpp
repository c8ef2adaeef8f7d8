// Base64 decoding of any text, cut anywhere, against a plain reading of the
// same rule; and the file encoder's text of any bytes decodes back to them.
#include <cstdint>
#include <string>
#include <vector>

#include "content/transfer_decoders.h"
#include "content_fuzz.h"

using namespace content_fuzz;

namespace {

// The part as one stream up to a delimiter line: alphabet characters
// gather in groups of four, "=" closes the group in progress, anything
// else is ignored; an unfinished group gives its complete bytes.
std::string byStream(std::string_view text) {
    const std::string_view alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::vector<unsigned> group;
    auto close = [&] {
        unsigned bits = 0;
        for (unsigned v : group) bits = bits << 6 | v;
        bits <<= 6 * (4 - group.size());
        for (std::size_t k = 0; k + 1 < group.size(); ++k) out += static_cast<char>(bits >> (16 - 8 * k) & 0xFF);
        group.clear();
    };
    forEachLine(text, [&](std::string_view line) {
        if (line.substr(0, 3) == "--b") return false;
        for (char c : line) {
            std::size_t v = alphabet.find(c);
            if (v != std::string_view::npos) group.push_back(static_cast<unsigned>(v));
            if (group.size() == 4 || c == '=') close();
        }
        return true;
    });
    close();
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    const util::WorkHooks hooks;
    util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
    util::StringSink a, b;
    require(util::decodeBase64(whole, a, {0, "--b"}, hooks) == 0);
    require(util::decodeBase64(chunked, b, {0, "--b"}, hooks) == 0);
    require(a.bytes() == b.bytes() && a.bytes() == byStream(in.bytes));

    util::MemorySource raw(in.bytes, in.chunk);
    util::StringSink text;
    require(util::encodeBase64(raw, text, hooks) == 0);
    util::MemorySource encoded(text.bytes(), in.chunk);
    util::StringSink back;
    require(util::decodeBase64(encoded, back, {0, ""}, hooks) == 0);
    require(back.bytes() == in.bytes);
    return 0;
}
