// The settings catalogue: every ms.ini section and key the library reads or
// writes, each declared once with the default its readers use. Values are
// read and written through frame/profile.h (util::read, util::write), never
// by spelling a section or key again.
//
// A "%d" in a section or key marks a numbered family ("mailbox%d",
// "node%d"): the record's number takes its place when the key is read with
// a number. Families are dense lists from 0; readers stop at the first gap.
#pragma once

#include <string>

namespace cfg {

// Most values are read into 1,024-byte buffers; a key that says otherwise
// gives its own size.
inline constexpr int kValueSize = 1024;

// A key whose value is an integer (flags are integers written "1" or "0").
struct IntKey {
    const char* section;
    const char* key;
    int fallback;
};

// A key whose value is text, read into a buffer of size bytes.
struct TextKey {
    const char* section;
    const char* key;
    const char* fallback;
    int size = kValueSize;
};

// The pattern with its "%d" replaced by number; unchanged without one.
std::string numbered(const char* pattern, int number);

// Where one record's value lives: the section and the key, numbered.
struct Place {
    std::string section;
    std::string key;
};
template <class Key>
Place place(const Key& k, int number) {
    return {numbered(k.section, number), numbered(k.key, number)};
}

// ---- tooltips and the administration password --------------------------------
inline constexpr char kTooltips[] = "tooltips";
inline constexpr IntKey kTooltipsUse{kTooltips, "use", 1};

inline constexpr char kEsmtp[] = "esmtp";
inline constexpr TextKey kAdminPassword{kEsmtp, "ver", ""};

}  // namespace cfg
