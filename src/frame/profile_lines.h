// One ms.ini section as a list of lines, read or written in one call of
// the platform's profile functions instead of one call a key. Looked up the
// way the single-key readers look up, so that a value read from the section
// is the value a key read gives: names match without regard to case and
// the first line of a name counts; quotes around a value are taken off and
// the value is cut to the reader's buffer. A line present with an empty
// value ("map1=") is told apart from a missing key.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "frame/settings.h"

namespace util {

class ProfileLines {
public:
    struct Line {
        std::string key;
        std::optional<std::string> value;  // nothing: a line without "="
    };

    // From the block the section reader fills: "key=value" strings, each
    // ended by a zero, the last followed by a second zero.
    static ProfileLines fromBlock(std::string_view block);

    const std::vector<Line>& lines() const { return lines_; }
    bool empty() const { return lines_.empty(); }

    // Whether a line of that name is there, with or without a value.
    bool has(std::string_view key) const { return find(key) != nullptr; }
    // The value as the string reader returns it into a buffer of size
    // bytes; nothing when the key is missing or its line has no "=".
    std::optional<std::string> text(std::string_view key, int size) const;
    // The value as the integer reader returns it: fallback when the key is
    // missing or empty, else the number it begins with (0 for none).
    int integer(std::string_view key, int fallback) const;

    // As one key write leaves the section: the first line of that name
    // takes the value where it stands; a new name goes last. The value is
    // kept as the file keeps it, without blanks at either end.
    void set(std::string_view key, std::string_view value);

    // The block the section writer takes (an empty section: two zeros).
    std::string block() const;

private:
    const Line* find(std::string_view key) const;

    std::vector<Line> lines_;
    std::unordered_map<std::string, std::size_t> first_;  // lower-case name: its first line
};

// ---- the catalogue's keys in a section's lines ----------------------------------
// The key's name numbered as util::read numbers it; the key's own section
// pattern is not used (the lines are the section).

// The value as util::read gives it from the file.
std::string read(const ProfileLines& section, const cfg::TextKey& key, int number = -1);
int read(const ProfileLines& section, const cfg::IntKey& key, int number = -1);
// Whether the key's line is there, empty or not.
bool has(const ProfileLines& section, const cfg::TextKey& key, int number = -1);
// Sets the key as util::write would.
void put(ProfileLines& section, const cfg::TextKey& key, const std::string& value, int number = -1);
void put(ProfileLines& section, const cfg::IntKey& key, int value, int number = -1);

// How many records a numbered key's family holds in the section: the
// numbers from 0 up to the first whose key is missing, at most limit. A
// record whose line is there but empty counts: it is the caller's to leave
// it out, and the records behind it stay.
int familyLength(const ProfileLines& section, const cfg::TextKey& key, int limit = cfg::kMaxRecords);
// The family's values in order, empty ones left out.
std::vector<std::string> listValues(const ProfileLines& section, const cfg::TextKey& key,
                                    int limit = cfg::kMaxRecords);
// Sets the values as the family's records 0, 1, 2, ...
void putList(ProfileLines& section, const cfg::TextKey& key, const std::vector<std::string>& values);

// The value as the string reader gives stored text: quotes around it
// (both ends the same ' or ") taken off, cut to size - 1 characters.
std::string readerText(std::string_view stored, int size);
// The value as the integer reader gives stored text.
int readerInteger(std::string_view stored, int fallback);

}  // namespace util
