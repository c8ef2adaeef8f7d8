#include "connect/schedule_times.h"

#include <climits>
#include <cstdio>

namespace util {
namespace {

constexpr int kLastQuarter = 23 * 60 + 45;

// Reads "%d" as the C library does: optional blanks, an optional sign and
// at least one digit. Advances `at` past what it read.
bool readInt(std::string_view text, std::size_t& at, int& value) {
    while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    std::size_t first = at;
    long long v = 0;
    while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
        if (v < 100000000) v = v * 10 + (text[at] - '0');
        ++at;
    }
    if (at == first) return false;
    value = static_cast<int>(negative ? -v : v);
    return true;
}

int clamp(int value, int low, int high) { return value < low ? low : value > high ? high : value; }

long long sortKey(std::string_view entry) {
    int hour = 0, minute = 0;
    return readTimeOfDay(entry, hour, minute) ? hour * 60LL + minute : LLONG_MAX;
}

}  // namespace

bool readTimeOfDay(std::string_view text, int& hour, int& minute) {
    std::size_t at = 0;
    if (!readInt(text, at, hour)) return false;
    if (at >= text.size() || text[at] != ':') return false;
    ++at;
    return readInt(text, at, minute);
}

int hourOf(std::string_view text) {
    std::size_t at = 0;
    int hour = 0;
    return readInt(text, at, hour) ? hour : 0;
}

std::string stepHour(std::string_view text, int step, int low, int high) {
    return clockText(clamp(hourOf(text) + step, low, high), 0);
}

std::string stepQuarter(std::string_view text, int step) {
    int hour = 0, minute = 0;
    if (!readTimeOfDay(text, hour, minute)) hour = minute = 0;
    long long minutes = hour * 60LL + minute + 15LL * step;
    int t = static_cast<int>(minutes < 0 ? 0 : minutes > kLastQuarter ? kLastQuarter : minutes);
    return clockText(t / 60, t % 60);
}

std::vector<std::string> splitTimes(std::string_view stored) {
    std::vector<std::string> entries;
    std::size_t start = 0;
    while (start < stored.size()) {
        std::size_t comma = stored.find(',', start);
        std::size_t end = comma == std::string_view::npos ? stored.size() : comma;
        if (end > start) entries.emplace_back(stored.substr(start, end - start));
        start = end + 1;
    }
    return entries;
}

std::size_t timeOrderPosition(const std::vector<std::string>& list, std::string_view entry) {
    long long key = sortKey(entry);
    std::size_t at = 0;
    while (at < list.size() && sortKey(list[at]) <= key) ++at;
    return at;
}

std::string joinTimes(const std::vector<std::string>& entries) {
    std::string stored;
    for (const std::string& entry : entries) stored += entry + ",";
    return stored;
}

}  // namespace util
