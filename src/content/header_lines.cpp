#include "content/header_lines.h"

#include "content/mime_limits.h"

namespace util::mime {

namespace {
char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (upper(text[i]) != upper(prefix[i])) return false;
    return true;
}

std::string upperCased(std::string_view line) {
    std::string out(line);
    for (char& c : out) c = upper(c);
    return out;
}

std::string_view boundaryValue(std::string_view line, std::size_t tokenStart) {
    std::size_t start = tokenStart + 9;
    if (start >= line.size()) return {};
    std::string_view value = line.substr(start);
    if (value.front() == '"') {
        value.remove_prefix(1);
        return value.substr(0, value.find('"'));
    }
    // Unquoted, the value is a token: it ends where another parameter or
    // white space begins.
    return value.substr(0, value.find_first_of("\"; \t\r\n"));
}

bool NestedBoundarySearch::examine(std::string_view line) {
    bool found = false;
    forEachToken(line, [&](std::string_view token, std::size_t at) {
        if (!sawMultipart_) {
            sawMultipart_ = startsWithNoCase(token, "multipart");
        } else if (startsWithNoCase(token, "boundary")) {
            std::string_view value = boundaryValue(line, at);
            // An empty value or one too long for a nested delimiter is no
            // value: the part is then skipped rather than walked with a
            // delimiter that would match the wrong lines.
            if (!value.empty() && value.size() + 2 <= kMaxPartDelimiterLength) {
                value_.assign(value);
                found = true;
                return false;
            }
        }
        return true;
    });
    return found;
}

}  // namespace util::mime
