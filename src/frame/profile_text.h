// The text of a profile file cut at its section headers, so that many
// whole-section changes can be made with one write of the file instead of
// one write (of the whole file, by the platform) each. Only the sections
// named are touched; every other line stays byte for byte as it stands.
//
// A header is what the platform's reader takes for one: a line that, with
// blanks at both ends left off, begins with "[" and holds a "]"; the name
// is what lies between the "[" and the last "]". Everything up to the next
// header belongs to the section. Names match without regard to case.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "frame/profile_lines.h"

namespace util {

class ProfileText {
public:
    // Nothing for text that is not plain single-byte text (a byte-order
    // mark or a zero byte): such a file is left to the platform.
    static std::optional<ProfileText> parse(std::string_view text);

    // The section names in file order, as the platform lists them.
    std::vector<std::string> sectionNames() const;

    // The lines of the first section of that name as the platform's
    // section reader gives them: each line with blanks at both ends left
    // off, the name ending before the first "=" (blanks before it left
    // off) and the value starting after it (blanks after it left off);
    // empty lines and comments (";" first) left out, and a line without a
    // name right after another one. The empty name gives the lines before
    // the first header. Empty when there is no such section.
    ProfileLines lines(std::string_view name) const;

    // As deleting a section by name: the first of that name goes.
    void erase(std::string_view name);
    // As writing a section whole: every section of that name loses its
    // lines and the first takes these; without one, the section is added
    // at the end. No lines and no section: nothing changes.
    void write(std::string_view name, const ProfileLines& lines);

    std::string text() const;

private:
    struct Block {
        std::string name;  // empty for the lines before the first header
        std::string header;
        std::string body;
        bool erased = false;
    };
    Block* first(std::string_view name);
    const Block* first(std::string_view name) const;
    // Whether the text so far ends without a line end.
    bool endsInsideLine() const;

    std::vector<Block> blocks_;
    // Lower-case name: the first block of that name (erased blocks
    // stay in it; first() passes over them).
    std::unordered_map<std::string, std::size_t> firstOf_;
};

}  // namespace util
