#include "content/base64_decoder.h"

#include <array>

namespace util {

namespace {

constexpr std::array<unsigned char, 256> makeValues() {
    std::array<unsigned char, 256> values{};
    constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (unsigned char i = 0; i < 64; ++i) values[static_cast<unsigned char>(alphabet[i])] = i;
    return values;
}
constexpr auto kValues = makeValues();

inline unsigned value(char c) { return kValues[static_cast<unsigned char>(c)]; }

// Decodes one group (c4 may be the end of the line, given as 0) to dst;
// false when an "=" ended the line's data.
inline bool decodeGroup(char c1, char c2, char c3, char c4, char*& dst) {
    unsigned v1 = value(c1), v2 = value(c2), v3 = value(c3);
    *dst++ = static_cast<char>((v1 << 2 | v2 >> 4) & 0xFF);
    if (c3 == '=') return false;
    *dst++ = static_cast<char>((v2 << 4 | v3 >> 2) & 0xFF);
    if (c4 == '=') return false;
    *dst++ = static_cast<char>((v3 << 6 | value(c4)) & 0xFF);
    return true;
}

}  // namespace

char* Base64Decoder::more(std::string_view piece, bool endsLine, char* dst) {
    std::size_t i = 0;
    if (!restIgnored_) {
        while (held_ > 0 && held_ < 4 && i < piece.size()) group_[held_++] = piece[i++];
        if (held_ == 4) {
            held_ = 0;
            restIgnored_ = !decodeGroup(group_[0], group_[1], group_[2], group_[3], dst);
        }
        while (!restIgnored_ && i + 4 <= piece.size()) {
            restIgnored_ = !decodeGroup(piece[i], piece[i + 1], piece[i + 2], piece[i + 3], dst);
            i += 4;
        }
        while (!restIgnored_ && i < piece.size()) group_[held_++] = piece[i++];
    }
    if (endsLine) {
        if (!restIgnored_ && held_ == 3) decodeGroup(group_[0], group_[1], group_[2], '\0', dst);
        held_ = 0;
        restIgnored_ = false;
    }
    return dst;
}

}  // namespace util
