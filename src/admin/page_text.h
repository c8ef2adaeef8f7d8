// The text files that pages edit whole in a multi-line edit: the spam
// lists, the foot note and the address lists. An edit holds lines ended by
// CR LF; a file holds each line followed by CR LF.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace admin {

// A file too long for its edit is cut at the end by this many characters
// at a time.
inline constexpr std::size_t kCutStep = 100;

// Line ends as an edit shows them: a lone LF or CR becomes CR LF.
std::string textForEdit(std::string_view bytes);

// The lines of an edit's text, split at CR LF, LF or CR. A text that ends
// with a line break has no empty line after it, and an empty text has no
// line, so writing the lines back gives a file that ends where the text did.
std::vector<std::string> editLines(std::string_view text);

// The lines that are not empty.
std::vector<std::string> nonEmptyLines(std::string_view text);

// The text when it fits in capacity characters; otherwise the text cut at
// the end by kCutStep characters at a time until it fits or is no longer
// than kCutStep.
std::string cutToFit(std::string text, std::size_t capacity);

// The text without spaces and tabs at either end. ms.ini drops them from a
// value, and a scrambled value read back without them unscrambles wrongly
// (each character's scrambling depends on its position).
std::string withoutOuterBlanks(std::string_view text);

// A file's bytes, at most limit of them; nothing when it cannot be opened.
std::optional<std::string> readFileBytes(const std::string& path, std::size_t limit = static_cast<std::size_t>(-1));

// Rewrites a file (opened "wb") with every line followed by CR LF; false
// when it cannot be opened or written.
bool writeLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace admin
