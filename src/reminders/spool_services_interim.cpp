// INTERIM: a stand-in for the file encoder behind EncodeBase64 until that
// export is part of the library; replace this file by a call of it then.
#include <cstdio>

#include "content/base64_string.h"
#include "frame/event_log.h"
#include "reminders/spool_services.h"

namespace util {

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
