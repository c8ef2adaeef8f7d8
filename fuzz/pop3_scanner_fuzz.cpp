// The end-of-data scanner gives the same data and end whatever the block
// sizes, and never writes more than a block and one held dot.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
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

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    if (size < 2) return 0;
    bool unstuff = bytes[0] & 1;
    std::vector<std::size_t> sizes;
    for (int i = 0; i < 4; ++i) sizes.push_back(1 + ((bytes[1] >> (2 * i)) & 3) * (1 + (bytes[0] >> 1)));
    std::string answer(reinterpret_cast<const char*>(bytes) + 2, size - 2);
    bool endedWhole = false, endedSplit = false;
    std::string whole = scan(answer, unstuff, {}, endedWhole);
    std::string split = scan(answer, unstuff, sizes, endedSplit);
    if (whole != split || endedWhole != endedSplit) std::abort();
    if (whole.size() > answer.size()) std::abort();
    return 0;
}
