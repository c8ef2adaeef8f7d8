// Reading and writing ms.ini through the platform's profile functions.
// Every read names its default; nothing is cached, so a value written
// anywhere is seen by the next read.
#pragma once

#include <string>

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

}  // namespace util
