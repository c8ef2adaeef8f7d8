// Shared by the content fuzz targets: the first input byte chooses a chunk
// size, and every stream function must give the same result whether the
// input arrives whole or in chunks of that size.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "content/byte_stream.h"

namespace content_fuzz {

struct Input {
    std::size_t chunk;
    std::string_view bytes;
};

inline Input split(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {1, {}};
    return {static_cast<std::size_t>(data[0] % 64) + 1, std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1)};
}

inline void require(bool condition) {
    if (!condition) std::abort();
}

// Calls visit(line) for each line of the text, without its line feed and
// a carriage return before it, until visit returns false; a last line
// without a line feed counts unless empty.
template <typename Visit>
void forEachLine(std::string_view text, Visit&& visit) {
    for (std::size_t at = 0; at < text.size();) {
        std::size_t lineFeed = text.find('\n', at);
        std::size_t end = lineFeed == std::string_view::npos ? text.size() : lineFeed;
        std::string_view line = text.substr(at, end - at);
        if (lineFeed != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!visit(line)) return;
        at = end + 1;
    }
}

}  // namespace content_fuzz
