// Message text for the transfers over TLS: lines of 76 characters with
// every byte value from 0x20 to 0xFE, some beginning with a dot, so that
// every byte must come through unchanged and the dot rules are exercised.
#pragma once

#include <cstddef>
#include <string>

namespace transport_testing {

// Whole lines of at least size bytes in all; every dotEvery-th or so
// begins with a dot.
inline std::string wireLines(std::size_t size, unsigned seed, unsigned dotEvery) {
    std::string lines;
    while (lines.size() < size) {
        std::string line;
        for (int i = 0; i < 76; ++i) {
            seed = seed * 1103515245u + 12345u;
            line += static_cast<char>(0x20 + (seed >> 16) % 0xDF);
        }
        if (seed % dotEvery == 0) line[0] = '.';
        lines += line + "\r\n";
    }
    return lines;
}

}  // namespace transport_testing
