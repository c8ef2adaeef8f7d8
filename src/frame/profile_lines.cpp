#include "frame/profile_lines.h"

#include <cstdint>

#include "frame/ascii_case.h"

namespace util {
namespace {

// Blanks as the platform's reader takes them: white space, carriage
// return and the old end-of-file mark.
bool profileBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }

// The integer reader reads the value into a buffer of 30 characters first.
constexpr int kIntegerBuffer = 30;

}  // namespace

std::string readerText(std::string_view stored, int size) {
    if (size <= 0) return {};
    bool quoted = false;
    if (stored.size() > 1 && (stored.front() == '"' || stored.front() == '\'') && stored.back() == stored.front()) {
        quoted = true;
        stored.remove_prefix(1);
    }
    std::string copy(stored.substr(0, static_cast<std::size_t>(size - 1)));
    // The closing quote goes too when the rest of the value fitted.
    if (quoted && static_cast<std::size_t>(size) >= stored.size() && !copy.empty()) copy.pop_back();
    return copy;
}

int readerInteger(std::string_view stored, int fallback) {
    const std::string text = readerText(stored, kIntegerBuffer);
    if (text.empty()) return fallback;
    std::size_t i = 0;
    while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    std::uint32_t value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = value * 10u + static_cast<std::uint32_t>(text[i] - '0');
    return static_cast<int>(negative ? 0u - value : value);
}

ProfileLines ProfileLines::fromBlock(std::string_view block) {
    ProfileLines section;
    while (!block.empty() && block.front() != '\0') {
        std::size_t end = block.find('\0');
        std::string_view line = block.substr(0, end);
        block = end == std::string_view::npos ? std::string_view() : block.substr(end + 1);
        std::size_t equals = line.find('=');
        Line entry{std::string(line.substr(0, equals)), std::nullopt};
        if (equals != std::string_view::npos) entry.value = std::string(line.substr(equals + 1));
        section.first_.try_emplace(asciiLowered(entry.key), section.lines_.size());
        section.lines_.push_back(std::move(entry));
    }
    return section;
}

const ProfileLines::Line* ProfileLines::find(std::string_view key) const {
    auto at = first_.find(asciiLowered(key));
    return at == first_.end() ? nullptr : &lines_[at->second];
}

std::optional<std::string> ProfileLines::text(std::string_view key, int size) const {
    const Line* line = find(key);
    if (!line || !line->value) return std::nullopt;
    return readerText(*line->value, size);
}

int ProfileLines::integer(std::string_view key, int fallback) const {
    const Line* line = find(key);
    return line && line->value ? readerInteger(*line->value, fallback) : fallback;
}

void ProfileLines::set(std::string_view key, std::string_view value) {
    while (!value.empty() && profileBlank(value.front())) value.remove_prefix(1);
    while (!value.empty() && profileBlank(value.back())) value.remove_suffix(1);
    auto [at, added] = first_.try_emplace(asciiLowered(key), lines_.size());
    if (added) {
        lines_.push_back({std::string(key), std::string(value)});
    } else {
        lines_[at->second].value = std::string(value);
    }
}

std::string ProfileLines::block() const {
    std::string block;
    for (const Line& line : lines_) {
        block += line.key;
        if (line.value) block.append("=").append(*line.value);
        block += '\0';
    }
    block += '\0';
    if (lines_.empty()) block += '\0';
    return block;
}

std::string read(const ProfileLines& section, const cfg::TextKey& key, int number) {
    std::optional<std::string> value = section.text(cfg::numbered(key.key, number), key.size);
    return value ? *value : readerText(key.fallback ? key.fallback : "", key.size);
}

int read(const ProfileLines& section, const cfg::IntKey& key, int number) {
    return section.integer(cfg::numbered(key.key, number), key.fallback);
}

bool has(const ProfileLines& section, const cfg::TextKey& key, int number) {
    return section.has(cfg::numbered(key.key, number));
}

void put(ProfileLines& section, const cfg::TextKey& key, const std::string& value, int number) {
    section.set(cfg::numbered(key.key, number), value);
}

void put(ProfileLines& section, const cfg::IntKey& key, int value, int number) {
    section.set(cfg::numbered(key.key, number), std::to_string(value));
}

int familyLength(const ProfileLines& section, const cfg::TextKey& key, int limit) {
    int n = 0;
    while (n < limit && has(section, key, n)) ++n;
    return n;
}

std::vector<std::string> listValues(const ProfileLines& section, const cfg::TextKey& key, int limit) {
    std::vector<std::string> values;
    const int count = familyLength(section, key, limit);
    for (int i = 0; i < count; ++i) {
        std::string value = read(section, key, i);
        if (!value.empty()) values.push_back(std::move(value));
    }
    return values;
}

void putList(ProfileLines& section, const cfg::TextKey& key, const std::vector<std::string>& values) {
    for (std::size_t i = 0; i < values.size(); ++i) put(section, key, values[i], static_cast<int>(i));
}

}  // namespace util
