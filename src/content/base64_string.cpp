#include "content/base64_string.h"

#include <cstring>

namespace util {

namespace {
constexpr char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

std::string encodeBase64String(std::string_view input) {
    std::string out;
    out.reserve((input.size() + 2) / 3 * 4);
    std::size_t i = 0;
    for (; i + 3 <= input.size(); i += 3) {
        auto b0 = static_cast<unsigned char>(input[i]), b1 = static_cast<unsigned char>(input[i + 1]),
             b2 = static_cast<unsigned char>(input[i + 2]);
        out += kAlphabet[b0 >> 2];
        out += kAlphabet[((b0 & 3) << 4) | (b1 >> 4)];
        out += kAlphabet[((b1 & 15) << 2) | (b2 >> 6)];
        out += kAlphabet[b2 & 63];
    }
    std::size_t rest = input.size() - i;
    if (rest > 0) {
        auto b0 = static_cast<unsigned char>(input[i]);
        auto b1 = rest == 2 ? static_cast<unsigned char>(input[i + 1]) : 0;
        out += kAlphabet[b0 >> 2];
        out += kAlphabet[((b0 & 3) << 4) | (b1 >> 4)];
        out += rest == 2 ? kAlphabet[(b1 & 15) << 2] : '=';
        out += '=';
    }
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

}  // namespace util
