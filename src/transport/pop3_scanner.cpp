#include "transport/pop3_scanner.h"

#include <cstring>

namespace util {

Pop3ScanStep scanPop3Block(int& state, bool unstuff, const char* block, std::size_t size, char* out) {
    Pop3ScanStep step;
    std::size_t n = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const char c = block[i];
        switch (state) {
        case kScanStatusLine:
            if (c == '\n') {
                state = kScanLineStart;
                step.statusEnded = true;
            }
            break;
        case kScanLineStart:
            if (c == '.') {
                state = kScanDotSeen;  // written once the next byte shows it is data
            } else {
                out[n++] = c;
                state = c == '\n' ? kScanLineStart : kScanInsideLine;
            }
            break;
        case kScanDotSeen:
            if (c == '\r') {
                state = kScanEnded;
                step.ended = true;
                step.lineFeedPending = i + 1 == size;
                step.length = n;
                return step;
            }
            out[n++] = '.';
            if (c != '.' || !unstuff) out[n++] = c;
            // A line of a lone dot ended by a bare line feed is data, and
            // the next line starts after it like after any other line.
            state = c == '\n' ? kScanLineStart : kScanInsideLine;
            break;
        case kScanInsideLine: {
            // The rest of the line up to and including its line feed is
            // data whatever it holds: copy it in one go.
            const void* found = std::memchr(block + i, '\n', size - i);
            std::size_t end = found ? static_cast<std::size_t>(static_cast<const char*>(found) - block) + 1 : size;
            std::memcpy(out + n, block + i, end - i);
            n += end - i;
            i = end - 1;
            if (found) state = kScanLineStart;
            break;
        }
        default:  // ended: nothing more is data
            step.length = n;
            return step;
        }
    }
    step.length = n;
    return step;
}

}  // namespace util
