#include "content/quoted_printable.h"

namespace util {

namespace {
// A hexadecimal digit in either case; any other character counts as 0.
unsigned hexValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<unsigned>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<unsigned>(c - 'a' + 10);
    return 0;
}
}  // namespace

bool decodeQuotedLine(std::string_view line, std::string& out) {
    std::size_t at = 0;
    while (at < line.size()) {
        std::size_t equals = line.find('=', at);
        if (equals == std::string_view::npos) {
            out.append(line.substr(at));
            return false;
        }
        out.append(line.substr(at, equals - at));
        std::size_t left = line.size() - equals - 1;
        if (left == 0) return true;
        if (left == 1) {
            // One character before the end: the high digit, and the line
            // ends there as an ordinary line.
            out += static_cast<char>(hexValue(line[equals + 1]) << 4);
            return false;
        }
        out += static_cast<char>(hexValue(line[equals + 1]) << 4 | hexValue(line[equals + 2]));
        at = equals + 3;
    }
    return false;
}

}  // namespace util
