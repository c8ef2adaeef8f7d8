// Reading and writing ms.ini through the platform's profile functions.
// Every read names its default; nothing is cached, so a value written
// anywhere is seen by the next read.
#pragma once

#include <string>
#include <vector>

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
// empty one, at most limit of them: the dense list the key holds.
std::vector<std::string> readFamily(const cfg::TextKey& key, int limit = cfg::kMaxRecords);

}  // namespace util
