// Reading and writing ms.ini through the platform's profile functions.
// Every read names its default; nothing is cached, so a value written
// anywhere is seen by the next read.
#pragma once

#include <string>

#include "frame/settings.h"

namespace util {

// Most values are read into 1,024-byte buffers; a few readers use less.
inline constexpr int kProfileValueSize = 1024;

std::string profileString(const char* section, const char* key, const char* fallback,
                          int bufferSize = kProfileValueSize);
int profileInt(const char* section, const char* key, int fallback);

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

}  // namespace util
