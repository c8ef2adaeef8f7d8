#include "transport/smtp_reply.h"

namespace util {

int parseSmtpReplyCode(std::string_view line) {
    if (line.empty()) return -1;
    std::size_t first = 0;
    while (first < line.size() && !(line[first] >= '0' && line[first] <= '9')) ++first;
    if (first == line.size()) return -1;
    int code = 0;
    for (std::size_t i = first; i < line.size() && i < first + 3 && line[i] >= '0' && line[i] <= '9'; ++i)
        code = code * 10 + (line[i] - '0');
    return code == 0 ? -1 : code;
}

}  // namespace util
