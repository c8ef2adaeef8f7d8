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
    // Written straight into out's room, a byte at a time: the runtime's
    // searching and appending cost more than the decoding itself.
    const std::size_t start = out.size();
    out.resize(start + text.size() + kLineEnd.size());
    char* w = out.data() + start;
    const char* p = text.data();
    const char* const end = p + text.size();
    bool lineEnd = endsLine;
    while (p < end) {
        if (*p != '=') {
            *w++ = *p++;
            continue;
        }
        const std::size_t left = static_cast<std::size_t>(end - p) - 1;
        if (left < 2 && !endsLine) {
            held_.assign(p, end);
            break;
        }
        if (left == 0) {  // a soft line break
            lineEnd = false;
            break;
        }
        const int high = hexValue(p[1]);
        const int low = left >= 2 ? hexValue(p[2]) : -1;
        if (high >= 0 && low >= 0) {
            *w++ = static_cast<char>(high << 4 | low);
            p += 3;
        } else {
            *w++ = '=';
            ++p;
        }
    }
    if (lineEnd) {
        *w++ = kLineEnd[0];
        *w++ = kLineEnd[1];
    }
    out.resize(static_cast<std::size_t>(w - out.data()));
}

}  // namespace util
