// Reading and writing ms.ini through the platform's profile functions.
// Every read names its default; nothing is cached, so a value written
// anywhere is seen by the next read.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "frame/profile_lines.h"
#include "frame/profile_text.h"
#include "frame/settings.h"

namespace util {

// Most values are read into 1,024-byte buffers; a few readers use less.
inline constexpr int kProfileValueSize = cfg::kValueSize;

std::string profileString(const char* section, const char* key, const char* fallback,
                          int bufferSize = kProfileValueSize);
int profileInt(const char* section, const char* key, int fallback);

// Values read are kept while ms.ini stays unchanged (profile.cpp says how);
// code that writes ms.ini without the functions here calls profileChanged
// after its write.
void profileChanged();

bool writeProfileString(const char* section, const char* key, const std::string& value);
bool writeProfileInt(const char* section, const char* key, int value);
bool deleteProfileKey(const char* section, const char* key);
bool deleteProfileSection(const char* section);

// Catalogue keys (frame/settings.h). number fills a "%d" of the section or
// key; -1 for keys that have none.
int read(const cfg::IntKey& key, int number = -1);
std::string read(const cfg::TextKey& key, int number = -1);
bool write(const cfg::IntKey& key, int value, int number = -1);
bool write(const cfg::TextKey& key, const std::string& value, int number = -1);
bool erase(const cfg::IntKey& key, int number = -1);
bool erase(const cfg::TextKey& key, int number = -1);
// Deletes a whole section; a "%d" in it is filled with number.
bool eraseSection(const char* section, int number = -1);

// The same for one record of a numbered section family ("mailbox%d",
// "0auto%d") named by its section, as callers hand records over
// ("mailbox3"): section takes the place of the key's section pattern.
int read(const cfg::IntKey& key, const std::string& section);
std::string read(const cfg::TextKey& key, const std::string& section);
bool write(const cfg::IntKey& key, int value, const std::string& section);
bool write(const cfg::TextKey& key, const std::string& value, const std::string& section);

// The values of a numbered family's key from record 0 up to the first
// missing key, at most limit of them, each at its record's number: a
// record whose value is empty is there (as an empty value), and the
// records behind it are read on. A family within one section is read in
// one call.
std::vector<std::string> readFamily(const cfg::TextKey& key, int limit = cfg::kMaxRecords);

// ---- whole sections ----------------------------------------------------------
// A list of many keys is read and written a section at a time: the
// platform reads and rewrites the whole file at every call, so key by key a
// long list costs the square of its length.

// The section's lines, in one call; the catalogue's keys are looked up in
// them with util::read, util::has and util::familyLength (profile_lines.h).
ProfileLines readSection(const std::string& section);
// The same for a section named by a pattern's "%d" and a number.
inline ProfileLines readSection(const char* pattern, int number) { return readSection(cfg::numbered(pattern, number)); }

// ms.ini read once for reading many sections (the records of a family
// kept one a section: accounts, reminders): each section as readSection
// gives it. When the file cannot be taken apart the way the platform reads
// it, each section is read with its own call instead.
class ProfileSnapshot {
public:
    ProfileSnapshot();
    ProfileLines section(const std::string& name) const;
    ProfileLines section(const char* pattern, int number) const { return section(cfg::numbered(pattern, number)); }

private:
    std::shared_ptr<const ProfileText> text_;  // null: one call a section
};

// The section's keys replaced by the lines, in one call: a missing section
// is made at the end of the file, an existing one keeps its place.
bool writeSection(const std::string& section, const ProfileLines& lines);

// The section deleted and, with lines, written anew at the end of the file
// in one call: ms.ini as deleting it and writing the keys one by one in
// this order leaves it.
bool replaceSection(const std::string& section, const ProfileLines& lines);

// The whole-section changes of one Apply, gathered and carried out
// together: ms.ini as the same deletions and whole-section writes, one call
// each, leave it, in a few calls whatever their number. Reading through it
// gives a section as the changes so far leave it.
class SectionEdits {
public:
    // Sections not changed yet are read from the snapshot when one is
    // given (it must be taken before the changes), else from the file.
    explicit SectionEdits(const ProfileSnapshot* before = nullptr) : before_(before) {}

    // As deleting the section.
    void erase(const std::string& section);
    // As writing the section whole (its lines replaced; a missing section
    // made at the end).
    void write(const std::string& section, ProfileLines lines);
    // The section's lines with the changes gathered so far.
    ProfileLines current(const std::string& section) const;
    // Carries the changes out; false when ms.ini could not be written.
    bool commit();

private:
    struct Change {
        std::string section;
        std::optional<ProfileLines> lines;  // nothing: deleted
    };
    static bool commitAsText(const std::vector<Change>& changes);
    const ProfileSnapshot* before_;
    std::vector<Change> changes_;
    std::unordered_map<std::string, std::size_t> latest_;  // lower-case name: its last change
};

}  // namespace util
