// Test messages written with "\n" line ends and stored with CR LF, as the
// POP3 download stores them.
#pragma once

#include <string>
#include <string_view>

namespace content_test {

inline std::string crlf(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

// The byte position just after the nth (1-based) line that equals `line`.
inline long long after(const std::string& message, const std::string& line, int nth) {
    std::size_t at = 0;
    for (int i = 0; i < nth; ++i) {
        at = message.find("\r\n" + line + "\r\n", at ? at + 1 : 0);
        if (at == std::string::npos) return -2;
    }
    return static_cast<long long>(at + line.size() + 4);
}

}  // namespace content_test
