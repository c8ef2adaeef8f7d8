#include "content/quoted_printable.h"

namespace util {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

}  // namespace

void QuotedPrintableDecoder::more(std::string_view piece, bool endsLine, std::string& out) {
    if (held_.empty()) return decode(piece, endsLine, out);
    std::string text = std::move(held_);
    held_.clear();
    text.append(piece);
    decode(text, endsLine, out);
}

void QuotedPrintableDecoder::decode(std::string_view text, bool endsLine, std::string& out) {
    std::size_t at = 0;
    for (;;) {
        std::size_t equals = text.find('=', at);
        if (equals == std::string_view::npos) {
            out.append(text.substr(at));
            break;
        }
        out.append(text.substr(at, equals - at));
        std::size_t left = text.size() - equals - 1;
        if (left < 2 && !endsLine) {
            held_.assign(text.substr(equals));
            return;
        }
        if (left == 0) return;  // a soft line break
        int high = hexValue(text[equals + 1]);
        int low = left >= 2 ? hexValue(text[equals + 2]) : -1;
        if (high >= 0 && low >= 0) {
            out += static_cast<char>(high << 4 | low);
            at = equals + 3;
        } else {
            out += '=';
            at = equals + 1;
        }
    }
    if (endsLine) out.append(kLineEnd);
}

}  // namespace util
