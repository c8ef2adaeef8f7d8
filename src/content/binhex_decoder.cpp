#include "content/binhex_decoder.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "content/mime_limits.h"

namespace util {

namespace {

constexpr unsigned char kMarker = 0x90;

constexpr std::array<unsigned char, 256> makeValues() {
    std::array<unsigned char, 256> values{};
    for (int c = 0; c < 256; ++c) values[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c);
    constexpr char alphabet[] = "!\"#$%&'()*+,-012345689@ABCDEFGHIJKLMNPQRSTUVXYZ[`abcdefhijklmpqr";
    for (unsigned char i = 0; i < 64; ++i) values[static_cast<unsigned char>(alphabet[i])] = i;
    return values;
}
constexpr auto kValues = makeValues();

}  // namespace

BinHexDecoder::BinHexDecoder(ByteSink& stream) : stream_(stream) { block_.reserve(mime::kBinHexBlock); }

void BinHexDecoder::line(std::string_view text, bool opening) {
    if (!text.empty() && text.back() == '\x7f') text.remove_suffix(1);
    if (opening && !text.empty() && text.front() == ':') text.remove_prefix(1);
    for (char c : text) {
        if (c == ':') {
            // The end marker: the characters before it in the group still
            // give the bytes they complete.
            group(carried_, held_);
            held_ = 0;
            return;
        }
        carried_[held_++] = kValues[static_cast<unsigned char>(c)];
        if (held_ == 4) {
            group(carried_, 4);
            held_ = 0;
        }
    }
}

void BinHexDecoder::group(const unsigned char* v, int count) {
    if (count >= 2) expand(static_cast<unsigned char>(v[0] << 2 | v[1] >> 4));
    if (count >= 3) expand(static_cast<unsigned char>((v[1] & 15) << 4 | v[2] >> 2));
    if (count >= 4) expand(static_cast<unsigned char>((v[2] & 3) << 6 | v[3]));
}

void BinHexDecoder::expand(unsigned char byte) {
    if (marker_) {
        marker_ = false;
        if (byte == 0) {
            put(kMarker);
        } else {
            for (int i = 1; i < byte; ++i) put(last_);
        }
    } else if (byte == kMarker) {
        marker_ = true;
    } else {
        put(byte);
    }
}

void BinHexDecoder::put(unsigned char byte) {
    last_ = byte;
    block_.push_back(static_cast<char>(byte));
    if (block_.size() == mime::kBinHexBlock) {
        stream_.write(block_.data(), block_.size());
        block_.clear();
    }
}

bool BinHexDecoder::finish() {
    if (!block_.empty()) stream_.write(block_.data(), block_.size());
    block_.clear();
    return !stream_.failed();
}

BinHexHeader readBinHexHeader(ByteSource& stream) {
    BinHexHeader header;
    char nameLength = 0;
    if (readFully(stream, &nameLength, 1) != 1) return header;
    // name, version, type, creator, flags, data length, resource length, CRC
    std::size_t rest = static_cast<unsigned char>(nameLength) + 21u;
    char fields[256 + 21];
    if (readFully(stream, fields, rest) != rest) return header;
    const char* type = fields + static_cast<unsigned char>(nameLength) + 1;
    header.text = true;
    for (int i = 0; i < 4; ++i) header.text &= (type[i] | 0x20) == "text"[i];
    const auto* length = reinterpret_cast<const unsigned char*>(type + 10);
    auto declared = static_cast<std::int32_t>(static_cast<std::uint32_t>(length[0]) << 24 |
                                              static_cast<std::uint32_t>(length[1]) << 16 |
                                              static_cast<std::uint32_t>(length[2]) << 8 | length[3]);
    header.dataLength = declared > 0 ? declared : 0;
    return header;
}

bool copyDataFork(ByteSource& stream, const BinHexHeader& header, ByteSink& out) {
    char chunk[4096];
    char widened[2 * 2048];
    std::int64_t left = header.dataLength;
    while (left > 0) {
        std::size_t want = static_cast<std::size_t>(std::min<std::int64_t>(left, header.text ? 2048 : 4096));
        std::size_t got = readFully(stream, chunk, want);
        if (got == 0) break;
        left -= static_cast<std::int64_t>(got);
        if (header.text) {
            std::size_t n = 0;
            for (std::size_t i = 0; i < got; ++i) {
                widened[n++] = chunk[i];
                if (chunk[i] == '\r') widened[n++] = '\n';
            }
            out.write(widened, n);
        } else {
            out.write(chunk, got);
        }
        if (got < want) break;
    }
    return !out.failed();
}

}  // namespace util
