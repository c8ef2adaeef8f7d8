#include "content/base64_decoder.h"

#include <array>

namespace util {

namespace {

constexpr unsigned char kOutside = 0xFF;
constexpr unsigned char kPad = 0xFE;

constexpr std::array<unsigned char, 256> makeValues() {
    std::array<unsigned char, 256> values{};
    values.fill(kOutside);
    constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (unsigned char i = 0; i < 64; ++i) values[static_cast<unsigned char>(alphabet[i])] = i;
    values['='] = kPad;
    return values;
}
constexpr auto kValues = makeValues();

inline unsigned value(char c) { return kValues[static_cast<unsigned char>(c)]; }

}  // namespace

char* Base64Decoder::more(std::string_view piece, char* out) {
    const char* p = piece.data();
    const char* end = p + piece.size();
    while (p < end) {
        // Whole groups of four alphabet characters, the common case.
        if (held_ == 0) {
            while (end - p >= 4) {
                unsigned a = value(p[0]), b = value(p[1]), c = value(p[2]), d = value(p[3]);
                if ((a | b | c | d) > 63) break;
                std::uint32_t group = a << 18 | b << 12 | c << 6 | d;
                out[0] = static_cast<char>(group >> 16);
                out[1] = static_cast<char>(group >> 8 & 0xFF);
                out[2] = static_cast<char>(group & 0xFF);
                out += 3;
                p += 4;
            }
            if (p == end) break;
        }
        unsigned v = value(*p++);
        if (v == kPad) {
            out = finish(out);
        } else if (v != kOutside) {
            bits_ = bits_ << 6 | v;
            if (++held_ == 4) {
                out[0] = static_cast<char>(bits_ >> 16 & 0xFF);
                out[1] = static_cast<char>(bits_ >> 8 & 0xFF);
                out[2] = static_cast<char>(bits_ & 0xFF);
                out += 3;
                bits_ = 0;
                held_ = 0;
            }
        }
    }
    return out;
}

char* Base64Decoder::finish(char* out) {
    if (held_ == 2) {
        *out++ = static_cast<char>(bits_ >> 4 & 0xFF);
    } else if (held_ == 3) {
        *out++ = static_cast<char>(bits_ >> 10 & 0xFF);
        *out++ = static_cast<char>(bits_ >> 2 & 0xFF);
    }
    bits_ = 0;
    held_ = 0;
    return out;
}

}  // namespace util
