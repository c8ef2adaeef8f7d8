#include "transport/pop3_reply.h"

#include <climits>

namespace util {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

constexpr std::size_t kMaxSizeDigits = 23;

}  // namespace

int pop3StatCount(std::string_view line) {
    // Pieces as a tokenizer on spaces sees them: runs of spaces separate.
    std::size_t first = line.find_first_not_of(' ');
    if (first == std::string_view::npos) return 0;
    std::size_t gap = line.find(' ', first);
    if (gap == std::string_view::npos) return 0;
    std::size_t second = line.find_first_not_of(' ', gap);
    if (second == std::string_view::npos) return 0;
    long long count = 0;
    for (std::size_t i = second; i < line.size() && isDigit(line[i]); ++i) {
        count = count * 10 + (line[i] - '0');
        if (count > INT_MAX) return INT_MAX;
    }
    return static_cast<int>(count);
}

std::optional<std::uint32_t> pop3ListSize(std::string_view line) {
    std::size_t end = line.size();
    while (end > 0 && !isDigit(line[end - 1])) --end;
    if (end == 0) return std::nullopt;
    std::size_t start = end;
    while (start > 0 && isDigit(line[start - 1])) --start;
    if (end - start > kMaxSizeDigits) end = start + kMaxSizeDigits;
    std::uint64_t size = 0;
    for (std::size_t i = start; i < end; ++i) {
        size = size * 10 + static_cast<std::uint64_t>(line[i] - '0');
        if (size > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<std::uint32_t>(size);
}

std::string_view pop3ShownLine(std::string_view line) {
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
    return line;
}

}  // namespace util
