#include "frame/profile.h"

#include <windows.h>

#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "frame/ascii_case.h"
#include "frame/install_folder.h"
#include "frame/profile_text.h"

namespace util {
namespace {

// What ms.ini gave, kept while the file stays as it was: under Wine every
// profile read opens the file anew (a few hundred microseconds), and the
// transfers read their settings for every message and every event line.
// Before each read the file's size and time of last writing are looked at
// (a tenth of that cost); any change, by any program, drops everything
// kept, and so does every write through this file. A file written within
// the last two seconds is read through every time: some file systems
// count their times in two-second steps, so a change inside one step
// would not show.
struct ProfileCache {
    std::string path;
    bool exists = false;
    DWORD sizeLow = 0;
    FILETIME written{};
    std::unordered_map<std::string, std::string> values;
};

ProfileCache& cache() {
    static auto* kept = new ProfileCache;  // never destroyed: nothing of it runs at unload
    return *kept;
}

constexpr ULONGLONG kRestTicks = 2ull * 10000000ull;  // two seconds in 100 ns steps

ULONGLONG ticks(const FILETIME& t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

// Whether the kept values may be used for path; drops them when the file changed.
bool cacheHolds(const std::string& path) {
    ProfileCache& c = cache();
    WIN32_FILE_ATTRIBUTE_DATA now{};
    bool exists = GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &now) != 0;
    bool same = path == c.path && exists == c.exists && now.nFileSizeLow == c.sizeLow &&
                CompareFileTime(&now.ftLastWriteTime, &c.written) == 0;
    if (!same) {
        c.values.clear();
        c.path = path;
        c.exists = exists;
        c.sizeLow = now.nFileSizeLow;
        c.written = now.ftLastWriteTime;
    }
    FILETIME clock;
    GetSystemTimeAsFileTime(&clock);
    return !exists || ticks(clock) - ticks(now.ftLastWriteTime) >= kRestTicks;
}

std::string cacheKey(char kind, const char* section, const char* key, const std::string& fallback, int size) {
    std::string k(1, kind);
    k.append(section ? section : "").append(1, '\0').append(key ? key : "").append(1, '\0');
    k.append(fallback).append(1, '\0').append(std::to_string(size));
    return k;
}

// The value for the lookup, from the cache or else through read.
template <class Read>
std::string cached(const std::string& lookup, Read&& read) {
    const std::string path = configPath();
    if (!cacheHolds(path)) return read(path);
    auto& values = cache().values;
    auto found = values.find(lookup);
    if (found != values.end()) return found->second;
    std::string value = read(path);
    values.emplace(lookup, value);
    return value;
}

void forgetCache() { cache().values.clear(); }

}  // namespace

std::string profileString(const char* section, const char* key, const char* fallback, int bufferSize) {
    const int size = bufferSize > 1 ? bufferSize : 2;
    const std::string otherwise = fallback ? fallback : "";
    return cached(cacheKey('s', section, key, otherwise, size), [&](const std::string& path) {
        std::vector<char> buffer(static_cast<std::size_t>(size));
        GetPrivateProfileStringA(section, key, otherwise.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()),
                                 path.c_str());
        return std::string(buffer.data());
    });
}

int profileInt(const char* section, const char* key, int fallback) {
    return std::stoi(cached(cacheKey('i', section, key, std::to_string(fallback), 0), [&](const std::string& path) {
        return std::to_string(static_cast<int>(GetPrivateProfileIntA(section, key, fallback, path.c_str())));
    }));
}

void profileChanged() { forgetCache(); }

bool writeProfileString(const char* section, const char* key, const std::string& value) {
    forgetCache();
    return WritePrivateProfileStringA(section, key, value.c_str(), configPath().c_str()) != 0;
}

bool writeProfileInt(const char* section, const char* key, int value) {
    return writeProfileString(section, key, std::to_string(value));
}

bool deleteProfileKey(const char* section, const char* key) {
    forgetCache();
    return WritePrivateProfileStringA(section, key, nullptr, configPath().c_str()) != 0;
}

bool deleteProfileSection(const char* section) {
    forgetCache();
    return WritePrivateProfileStringA(section, nullptr, nullptr, configPath().c_str()) != 0;
}

int read(const cfg::IntKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return profileInt(at.section.c_str(), at.key.c_str(), key.fallback);
}

std::string read(const cfg::TextKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return profileString(at.section.c_str(), at.key.c_str(), key.fallback, key.size);
}

bool write(const cfg::IntKey& key, int value, int number) {
    cfg::Place at = cfg::place(key, number);
    return writeProfileInt(at.section.c_str(), at.key.c_str(), value);
}

bool write(const cfg::TextKey& key, const std::string& value, int number) {
    cfg::Place at = cfg::place(key, number);
    return writeProfileString(at.section.c_str(), at.key.c_str(), value);
}

bool erase(const cfg::IntKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return deleteProfileKey(at.section.c_str(), at.key.c_str());
}

bool erase(const cfg::TextKey& key, int number) {
    cfg::Place at = cfg::place(key, number);
    return deleteProfileKey(at.section.c_str(), at.key.c_str());
}

bool eraseSection(const char* section, int number) {
    return deleteProfileSection(cfg::numbered(section, number).c_str());
}

int read(const cfg::IntKey& key, const std::string& section) {
    return profileInt(section.c_str(), key.key, key.fallback);
}

std::string read(const cfg::TextKey& key, const std::string& section) {
    return profileString(section.c_str(), key.key, key.fallback, key.size);
}

bool write(const cfg::IntKey& key, int value, const std::string& section) {
    return writeProfileInt(section.c_str(), key.key, value);
}

bool write(const cfg::TextKey& key, const std::string& value, const std::string& section) {
    return writeProfileString(section.c_str(), key.key, value);
}

std::vector<std::string> readFamily(const cfg::TextKey& key, int limit) {
    std::vector<std::string> values;
    if (std::strstr(key.section, "%d")) {  // one record a section
        const ProfileSnapshot file;
        for (int i = 0; i < limit; ++i) {
            ProfileLines record = file.section(key.section, i);
            if (!has(record, key)) break;
            values.push_back(read(record, key));
        }
        return values;
    }
    ProfileLines section = readSection(key.section);
    const int count = familyLength(section, key, limit);
    for (int i = 0; i < count; ++i) values.push_back(read(section, key, i));
    return values;
}

namespace {

// A list of zero-ended strings that the platform fills, in a buffer grown
// until it holds them all: the text and its length.
template <class Fill>
std::string filledList(Fill fill) {
    std::vector<char> buffer(32 * 1024);
    for (;;) {
        DWORD size = static_cast<DWORD>(buffer.size());
        DWORD length = fill(buffer.data(), size);
        // A full buffer is reported as its size less two.
        if (length + 2 < size || buffer.size() >= (std::size_t{1} << 28)) return std::string(buffer.data(), length + 1);
        buffer.resize(buffer.size() * 2);
    }
}

std::vector<std::string> sectionNames() {
    std::string list = filledList([](char* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesA(buffer, size, configPath().c_str());
    });
    std::vector<std::string> names;
    for (std::size_t at = 0; at < list.size() && list[at] != '\0';) {
        names.emplace_back(list.c_str() + at);
        at += names.back().size() + 1;
    }
    return names;
}

bool carryOut(const std::string& section, const std::optional<ProfileLines>& lines) {
    return lines ? writeSection(section, *lines) : deleteProfileSection(section.c_str());
}

std::optional<std::string> fileText(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return GetLastError() == ERROR_FILE_NOT_FOUND ? std::optional<std::string>("") : std::nullopt;
    std::string text;
    char chunk[64 * 1024];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, chunk, sizeof chunk, &got, nullptr) != 0) && got > 0) text.append(chunk, got);
    CloseHandle(file);
    return ok ? std::optional<std::string>(std::move(text)) : std::nullopt;
}

// The text in place of the file, through a new file beside it, so that a
// failed write leaves the old file whole.
bool replaceFileText(const std::string& path, const std::string& text) {
    forgetCache();
    std::string folder = path.substr(0, path.find_last_of("\\/") + 1);
    if (folder.empty()) folder = ".\\";
    char scratch[MAX_PATH] = {};
    if (!GetTempFileNameA(folder.c_str(), "ini", 0, scratch)) return false;
    HANDLE file = CreateFileA(scratch, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    bool written = file != INVALID_HANDLE_VALUE;
    if (written) {
        DWORD put = 0;
        written = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &put, nullptr) && put == text.size();
        written = CloseHandle(file) && written;
    }
    if (written && MoveFileExA(scratch, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
    DeleteFileA(scratch);
    return false;
}

// With only a few changes the platform carries each out itself.
constexpr std::size_t kFewChanges = 3;

}  // namespace

ProfileSnapshot::ProfileSnapshot() {
    std::optional<std::string> whole = fileText(configPath());
    if (!whole) return;
    std::optional<ProfileText> text = ProfileText::parse(*whole);
    if (!text) return;
    const std::vector<std::string> names = text->sectionNames();
    if (names != sectionNames()) return;
    // The first section read both ways must agree.
    if (!names.empty() && text->lines(names.front()).block() != readSection(names.front()).block()) return;
    text_ = std::make_shared<const ProfileText>(std::move(*text));
}

ProfileLines ProfileSnapshot::section(const std::string& name) const {
    return text_ ? text_->lines(name) : readSection(name);
}

ProfileLines readSection(const std::string& section) {
    return ProfileLines::fromBlock(filledList([&section](char* buffer, DWORD size) {
        return GetPrivateProfileSectionA(section.c_str(), buffer, size, configPath().c_str());
    }));
}

bool writeSection(const std::string& section, const ProfileLines& lines) {
    forgetCache();
    const std::string block = lines.block();
    return WritePrivateProfileSectionA(section.c_str(), block.c_str(), configPath().c_str()) != 0;
}

bool replaceSection(const std::string& section, const ProfileLines& lines) {
    bool erased = deleteProfileSection(section.c_str());
    return lines.empty() ? erased : writeSection(section, lines);
}

void SectionEdits::erase(const std::string& section) {
    latest_[asciiLowered(section)] = changes_.size();
    changes_.push_back({section, std::nullopt});
}

void SectionEdits::write(const std::string& section, ProfileLines lines) {
    latest_[asciiLowered(section)] = changes_.size();
    changes_.push_back({section, std::move(lines)});
}

ProfileLines SectionEdits::current(const std::string& section) const {
    auto latest = latest_.find(asciiLowered(section));
    if (latest != latest_.end()) {
        const Change& change = changes_[latest->second];
        return change.lines ? *change.lines : ProfileLines{};
    }
    return before_ ? before_->section(section) : readSection(section);
}

bool SectionEdits::commit() {
    std::vector<Change> changes;
    changes.swap(changes_);
    latest_.clear();
    if (changes.size() > kFewChanges && commitAsText(changes))
        return carryOut(changes.back().section, changes.back().lines);
    bool done = true;
    for (const Change& change : changes) done = carryOut(change.section, change.lines) && done;
    return done;
}

// All changes but the last made in the file's text and written at once;
// the platform then makes the last itself, so that the file is left in the
// form the platform gives it. False (nothing written) when the text cannot
// be taken apart the way the platform reads it.
bool SectionEdits::commitAsText(const std::vector<Change>& changes) {
    const std::string path = configPath();
    std::optional<std::string> before = fileText(path);
    if (!before) return false;
    std::optional<ProfileText> text = ProfileText::parse(*before);
    if (!text) return false;
    std::vector<std::string> platform = sectionNames(), ours = text->sectionNames();
    if (platform != ours) return false;
    for (std::size_t i = 0; i + 1 < changes.size(); ++i) {
        const Change& change = changes[i];
        if (change.lines) {
            text->write(change.section, *change.lines);
        } else {
            text->erase(change.section);
        }
    }
    return replaceFileText(path, text->text());
}

}  // namespace util
