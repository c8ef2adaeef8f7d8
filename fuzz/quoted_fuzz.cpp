// Quoted-printable decoding of any text, cut anywhere, with and without
// the header block copied, against a decoding of each whole line.
#include <cstdint>
#include <string>

#include "content/transfer_decoders.h"
#include "content_fuzz.h"

using namespace content_fuzz;

namespace {

int hex(char c) {
    const std::string_view digits = "0123456789ABCDEF", lower = "0123456789abcdef";
    std::size_t at = digits.find(c);
    if (at == std::string_view::npos) at = lower.find(c);
    return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

// The rule on whole lines: the header block as it stands when copied;
// then up to a delimiter line, "=" and two hex digits give a byte, a
// final "=" joins the line to the next, any other "=" stays.
std::string byLines(std::string_view text, bool copyHeaders) {
    std::string out;
    bool headers = copyHeaders;
    forEachLine(text, [&](std::string_view line) {
        if (headers) {
            out.append(line).append("\r\n");
            headers = !line.empty();
            return true;
        }
        if (line.substr(0, 3) == "--b") return false;
        bool soft = false;
        for (std::size_t i = 0; i < line.size();) {
            if (line[i] != '=') {
                out += line[i++];
            } else if (i + 1 == line.size()) {
                soft = true;
                ++i;
            } else if (i + 2 < line.size() && hex(line[i + 1]) >= 0 && hex(line[i + 2]) >= 0) {
                out += static_cast<char>(hex(line[i + 1]) * 16 + hex(line[i + 2]));
                i += 3;
            } else {
                out += line[i++];
            }
        }
        if (!soft) out += "\r\n";
        return true;
    });
    return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in = split(data, size);
    const util::WorkHooks hooks;
    bool copyHeaders = size > 0 && (data[0] & 0x80);
    util::MemorySource whole(in.bytes), chunked(in.bytes, in.chunk);
    util::StringSink a, b;
    require(util::decodeQuoted(whole, a, copyHeaders, {0, "--b"}, hooks) == 0);
    require(util::decodeQuoted(chunked, b, copyHeaders, {0, "--b"}, hooks) == 0);
    require(a.bytes() == b.bytes());
    require(a.bytes() == byLines(in.bytes, copyHeaders));
    return 0;
}
