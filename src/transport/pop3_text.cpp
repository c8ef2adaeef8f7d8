#include "transport/pop3_text.h"

#include <cinttypes>
#include <cstdio>

namespace util {
namespace {

// A number as the progress texts write it: "%lu", "%lu,%03lu" or
// "%lu,%03lu,%03lu". grouping is 0, 1 or 2 separators.
std::string grouped(std::uint32_t value, int grouping) {
    char text[32];
    unsigned long v = value;
    if (grouping == 0) {
        std::snprintf(text, sizeof text, "%lu", v);
    } else if (grouping == 1) {
        std::snprintf(text, sizeof text, "%lu,%03lu", v / 1000, v % 1000);
    } else {
        std::snprintf(text, sizeof text, "%lu,%03lu,%03lu", v / 1000000, v / 1000 % 1000, v % 1000);
    }
    return text;
}

}  // namespace

std::string pop3ProgressText(int number, std::uint32_t received, std::uint32_t total) {
    int receivedGroups = 0;
    int totalGroups = 0;
    if (received >= total) {
        // both plain
    } else if (total < 1000000) {
        totalGroups = 1;
        receivedGroups = received == 0 ? 0 : 1;
    } else {
        totalGroups = 2;
        receivedGroups = received < 1000 ? 0 : received < 1000000 ? 1 : 2;
    }
    return "Downloading " + std::to_string(number) + " (" + grouped(received, receivedGroups) + " of " +
           grouped(total, totalGroups) + ")...";
}

std::string receivedHeader(std::string_view host, std::string_view user, std::string_view product,
                           std::string_view version, std::string_view dateText) {
    std::string header = "Received: from <";
    header.append(host).append("> id=").append(user);
    header.append("\r\n\tby ").append(product).append(" v").append(version);
    header.append(" on ").append(dateText).append("\r\n");
    return header;
}

std::string checkRecordLine(std::uint32_t recordNumber, std::string_view field1, std::string_view field2,
                            std::string_view field3) {
    std::string line("\1\1\1\1N");
    line += std::to_string(recordNumber);
    line.append("\1").append(field1);
    line.append("\1").append(field2);
    line.append("\1").append(field3);
    line += "\r\n";
    return line;
}

std::string checkUserLine(std::string_view user) {
    std::string line("X-user: ");
    line.append(user).append("\r\n");
    return line;
}

bool exceedsDownloadLimit(std::uint32_t size, int limitMillions) {
    return static_cast<std::int64_t>(size) > static_cast<std::int64_t>(limitMillions) * 1000000;
}

}  // namespace util
