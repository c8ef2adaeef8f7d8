// INTERIM: stand-ins for UniqueFileName and EncodeBase64 until those
// exports are part of the library; replace this file by calls of the
// exports (spool_services.cpp) then.
#include <windows.h>

#include <cstdio>

#include "content/base64_string.h"
#include "frame/event_log.h"
#include "reminders/spool_services.h"

namespace util {

std::string uniqueSpoolName(const std::string& folder, const char* extension) {
    LocalTime t = localTimeNow();
    char stamp[64];
    std::snprintf(stamp, sizeof stamp, "%4d-%02d-%02d-%02d-%02d-%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    for (int n = 0;; ++n) {
        char name[400];
        std::snprintf(name, sizeof name, "%s\\%s-%04d.%s", folder.c_str(), stamp, n, extension);
        if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) return name;
    }
}

bool encodeFileBase64(const std::string& input, const std::string& output) {
    std::FILE* in = std::fopen(input.c_str(), "rb");
    if (!in) {
        logEvent("Cannot open attachment file", 3);
        return false;
    }
    std::FILE* out = std::fopen(output.c_str(), "wb");
    if (!out) {
        logEvent("Cannot open output attachment file", 3);
        std::fclose(in);
        return false;
    }
    char chunk[46];
    std::size_t got;
    while ((got = std::fread(chunk, 1, 45, in)) > 0) {
        chunk[got] = '\0';
        std::string line = encodeBase64String(std::string_view(chunk, got)) + "\r\n";
        if (std::fwrite(line.data(), 1, line.size(), out) != line.size()) break;
    }
    std::fputs("\r\n", out);
    std::fclose(in);
    std::fclose(out);
    return true;
}

}  // namespace util
