// The header-line tests shared by the MIME scanners and the text
// extraction: which header a line is, keyword tests on an upper-cased copy,
// the parameter tokens and the boundary value.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace util::mime {

bool startsWithNoCase(std::string_view text, std::string_view prefix);

// Header names, compared case-insensitively at the start of the line.
// Folded continuation lines are never joined: each line is tested alone.
inline bool isContentType(std::string_view line) { return startsWithNoCase(line, "content-type:"); }
inline bool isTransferEncoding(std::string_view line) {
    return startsWithNoCase(line, "content-transfer-encoding:");
}
inline bool isDisposition(std::string_view line) { return startsWithNoCase(line, "content-disposition:"); }

// The line with its ASCII letters upper-cased, for keyword tests: a keyword
// matches anywhere, also inside a longer word.
std::string upperCased(std::string_view line);
inline bool contains(std::string_view text, std::string_view word) {
    return text.find(word) != std::string_view::npos;
}

// Calls visit(token, offset) for each token of the line split at any of
// ": /;\t"; the equals sign does not split, so a boundary token holds the
// parameter name, "=" and the start of the value.
template <typename Visit>
void forEachToken(std::string_view line, Visit&& visit) {
    constexpr std::string_view kSeparators = ": /;\t";
    std::size_t at = 0;
    while (at < line.size()) {
        std::size_t start = line.find_first_not_of(kSeparators, at);
        if (start == std::string_view::npos) return;
        std::size_t end = line.find_first_of(kSeparators, start);
        if (end == std::string_view::npos) end = line.size();
        if (!visit(line.substr(start, end - start), start)) return;
        at = end;
    }
}

// The boundary value of a "boundary" token that starts at tokenStart: taken
// from the unsplit line 9 characters on (just past "boundary="). A quoted
// value runs to the next double quote or the end of the line; an unquoted
// one to a semicolon, white space, a double quote or the end of the line.
std::string_view boundaryValue(std::string_view line, std::size_t tokenStart);

// Finds the boundary of a nested multipart from its content-type line and,
// while needed, the lines after it: a token beginning "multipart" opens the
// search, a later token beginning "boundary" gives the value.
class NestedBoundarySearch {
public:
    // Examines one line; true when it gave a value (value()).
    bool examine(std::string_view line);
    // Whether the search goes on with this next line.
    bool continuesWith(std::string_view line) const { return isContentType(line) || sawMultipart_; }
    const std::string& value() const { return value_; }

private:
    bool sawMultipart_ = false;
    std::string value_;
};

}  // namespace util::mime
