// Recipient texts and envelope lines of any content: every address token
// holds an "@" and no separator, and the To lines carry every address.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "content/message_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<std::string> addresses = util::addressTokens(text);
    for (const std::string& a : addresses) {
        if (a.empty() || a.find('@') == std::string::npos) std::abort();
        if (a.find_first_of(std::string_view(" \t,<>()'\"\r\n")) != std::string::npos) std::abort();
    }
    std::vector<std::string> lines = util::toHeaderLines(addresses);
    if (lines.size() != (addresses.size() + 1) / 2) std::abort();
    std::string joined;
    for (const std::string& line : lines) joined += line + "\n";
    for (const std::string& a : addresses)
        if (joined.find(a) == std::string::npos) std::abort();
    std::string extracted = util::extractAddress(text);
    if (extracted.size() > text.size()) std::abort();
    return 0;
}
