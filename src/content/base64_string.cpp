#include "content/base64_string.h"

#include "content/base64_decoder.h"

#include <cstdint>
#include <cstring>

namespace util {

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

char* encodeBase64Into(std::string_view input, char* out) {
    const auto* in = reinterpret_cast<const unsigned char*>(input.data());
    std::size_t i = 0;
    for (; i + 3 <= input.size(); i += 3) {
        std::uint32_t group = std::uint32_t{in[i]} << 16 | std::uint32_t{in[i + 1]} << 8 | in[i + 2];
        out[0] = kAlphabet[group >> 18];
        out[1] = kAlphabet[group >> 12 & 63];
        out[2] = kAlphabet[group >> 6 & 63];
        out[3] = kAlphabet[group & 63];
        out += 4;
    }
    std::size_t rest = input.size() - i;
    if (rest > 0) {
        unsigned b0 = in[i];
        unsigned b1 = rest == 2 ? in[i + 1] : 0;
        out[0] = kAlphabet[b0 >> 2];
        out[1] = kAlphabet[((b0 & 3) << 4) | (b1 >> 4)];
        out[2] = rest == 2 ? kAlphabet[(b1 & 15) << 2] : '=';
        out[3] = '=';
        out += 4;
    }
    return out;
}

std::string encodeBase64String(std::string_view input) {
    std::string out(base64Length(input.size()), '\0');
    encodeBase64Into(input, out.data());
    return out;
}

bool encodeBase64String(const char* input, char* output, std::size_t outputSize) {
    if (!output || outputSize == 0) return false;
    std::string text = encodeBase64String(input ? std::string_view(input) : std::string_view());
    if (text.size() + 1 > outputSize) {
        output[0] = '\0';
        return false;
    }
    std::memcpy(output, text.c_str(), text.size() + 1);
    return true;
}

std::string decodeBase64String(std::string_view text) {
    std::string bytes(Base64Decoder::maxBytes(text.size()), '\0');
    Base64Decoder decoder;
    char* end = decoder.finish(decoder.more(text, bytes.data()));
    bytes.resize(static_cast<std::size_t>(end - bytes.data()));
    return bytes;
}

}  // namespace util
