// The end-of-data scanner against a line-by-line reading of the same
// answer, whatever the block sizes, and never writing more than a block
// and one held dot.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "transport/pop3_scanner.h"

namespace {

std::string scan(const std::string& answer, bool unstuff, const std::vector<std::size_t>& sizes, bool& ended) {
    std::string data;
    int state = util::kScanStatusLine;
    std::size_t from = 0, k = 0;
    ended = false;
    while (from < answer.size() && !ended) {
        std::size_t n = sizes.empty() ? answer.size() : sizes[k++ % sizes.size()];
        if (n > answer.size() - from) n = answer.size() - from;
        std::vector<char> out(n + util::kScanOutputSlack + 1, '\x55');
        util::Pop3ScanStep step = util::scanPop3Block(state, unstuff, answer.data() + from, n, out.data());
        if (step.length > n + util::kScanOutputSlack || out[n + util::kScanOutputSlack] != '\x55') std::abort();
        data.append(out.data(), step.length);
        ended = step.ended;
        from += n;
    }
    return data;
}

// The rule read line by line: the status line goes; a line that begins
// with a dot and a carriage return is the end; with unstuff, a line that
// begins with two dots loses one; a lone dot at the very end is held back
// (its next byte decides); every other line is data as it stands.
std::string byLines(std::string_view answer, bool unstuff, bool& ended) {
    ended = false;
    std::string data;
    std::size_t at = answer.find('\n');
    if (at == std::string_view::npos) return data;
    for (++at; at < answer.size();) {
        std::size_t lineFeed = answer.find('\n', at);
        std::size_t end = lineFeed == std::string_view::npos ? answer.size() : lineFeed + 1;
        std::string_view line = answer.substr(at, end - at);
        if (line.substr(0, 2) == ".\r") {
            ended = true;
            break;
        }
        if (line == ".") break;
        if (unstuff && line.substr(0, 2) == "..") line.remove_prefix(1);
        data += line;
        at = end;
    }
    return data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2) return 0;
    bool unstuff = bytes[0] & 1;
    std::vector<std::size_t> sizes;
    for (int i = 0; i < 4; ++i) sizes.push_back(1 + ((bytes[1] >> (2 * i)) & 3) * (1 + (bytes[0] >> 1)));
    std::string answer(reinterpret_cast<const char*>(bytes) + 2, size - 2);
    bool endedWhole = false, endedSplit = false, endedLines = false;
    std::string whole = scan(answer, unstuff, {}, endedWhole);
    std::string split = scan(answer, unstuff, sizes, endedSplit);
    std::string lines = byLines(answer, unstuff, endedLines);
    if (whole != lines || endedWhole != endedLines) std::abort();
    if (split != lines || endedSplit != endedLines) std::abort();
    return 0;
}
