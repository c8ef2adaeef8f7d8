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

}  // namespace content_fuzz
