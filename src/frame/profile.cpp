#include "frame/profile.h"

#include <windows.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "frame/install_folder.h"

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
    for (int i = 0; i < limit; ++i) {
        std::string value = read(key, i);
        if (value.empty()) break;
        values.push_back(std::move(value));
    }
    return values;
}

}  // namespace util
