#include "frame/profile_text.h"

#include "frame/ascii_case.h"

namespace util {
namespace {

// Blanks as the platform's reader takes them: white space, carriage
// return and the old end-of-file mark.
bool blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\x1a'; }

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && blank(line.front())) line.remove_prefix(1);
    while (!line.empty() && blank(line.back())) line.remove_suffix(1);
    return line;
}

std::string bodyOf(const ProfileLines& lines) {
    std::string body;
    for (const ProfileLines::Line& line : lines.lines()) {
        body += line.key;
        if (line.value) body.append("=").append(*line.value);
        body += "\r\n";
    }
    return body;
}

}  // namespace

std::optional<ProfileText> ProfileText::parse(std::string_view text) {
    if (text.find('\0') != std::string_view::npos) return std::nullopt;
    if (text.size() >= 2 && ((text[0] == '\xff' && text[1] == '\xfe') || (text[0] == '\xfe' && text[1] == '\xff')))
        return std::nullopt;
    if (text.substr(0, 3) == "\xef\xbb\xbf") return std::nullopt;

    ProfileText result;
    result.blocks_.push_back({});
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end == std::string_view::npos ? text.size() : end + 1);
        text.remove_prefix(line.size());
        std::string_view inner = trimmed(line);
        std::size_t close = inner.rfind(']');
        if (!inner.empty() && inner.front() == '[' && close != std::string_view::npos) {
            std::string name(inner.substr(1, close - 1));
            if (!name.empty()) result.firstOf_.try_emplace(asciiLowered(name), result.blocks_.size());
            result.blocks_.push_back({std::move(name), std::string(line), {}});
        } else {
            result.blocks_.back().body += line;
        }
    }
    return result;
}

std::vector<std::string> ProfileText::sectionNames() const {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < blocks_.size(); ++i)
        if (!blocks_[i].erased && !blocks_[i].name.empty()) names.push_back(blocks_[i].name);
    return names;
}

const ProfileText::Block* ProfileText::first(std::string_view name) const {
    // The lines before the first header are the first section without a name.
    if (name.empty()) return &blocks_.front();
    auto known = firstOf_.find(asciiLowered(name));
    std::size_t from = known == firstOf_.end() ? blocks_.size() : known->second;
    // Sections added since the text was taken apart are not in the index.
    for (std::size_t i = known == firstOf_.end() ? 1 : from; i < blocks_.size(); ++i)
        if (!blocks_[i].erased && !blocks_[i].name.empty() && equalsIgnoringCase(blocks_[i].name, name)) return &blocks_[i];
    return nullptr;
}

ProfileText::Block* ProfileText::first(std::string_view name) {
    return const_cast<Block*>(static_cast<const ProfileText*>(this)->first(name));
}

ProfileLines ProfileText::lines(std::string_view name) const {
    std::string block;
    if (const Block* section = first(name)) {
        std::string_view body = section->body;
        bool unnamedBefore = false;
        while (!body.empty()) {
            std::size_t end = body.find('\n');
            std::string_view line = trimmed(body.substr(0, end));
            body = end == std::string_view::npos ? std::string_view() : body.substr(end + 1);
            if (line.empty()) continue;
            if (line.front() == ';') {
                unnamedBefore = false;
                continue;
            }
            std::size_t equals = line.find('=');
            std::string_view key = trimmed(line.substr(0, equals));
            // A line without a name follows another one only once.
            if (key.empty() && unnamedBefore) continue;
            unnamedBefore = key.empty();
            block.append(key);
            if (equals != std::string_view::npos) block.append("=").append(trimmed(line.substr(equals + 1)));
            block += '\0';
        }
    }
    block += '\0';
    return ProfileLines::fromBlock(block);
}

void ProfileText::erase(std::string_view name) {
    if (Block* block = first(name)) block->erased = true;
}

void ProfileText::write(std::string_view name, const ProfileLines& lines) {
    Block* target = first(name);
    if (!target) {
        if (lines.empty()) return;
        // A new section starts on a line of its own.
        std::string header = "[" + std::string(name) + "]\r\n";
        if (endsInsideLine()) header.insert(0, "\r\n");
        blocks_.push_back({std::string(name), std::move(header), bodyOf(lines)});
        return;
    }
    for (std::size_t i = 1; i < blocks_.size(); ++i)
        if (!blocks_[i].erased && equalsIgnoringCase(blocks_[i].name, name)) blocks_[i].body.clear();
    target->body = bodyOf(lines);
}

bool ProfileText::endsInsideLine() const {
    for (auto block = blocks_.rbegin(); block != blocks_.rend(); ++block) {
        if (block->erased) continue;
        const std::string& last = block->body.empty() ? block->header : block->body;
        if (!last.empty()) return last.back() != '\n';
    }
    return false;
}

std::string ProfileText::text() const {
    std::string text;
    for (const Block& block : blocks_) {
        if (block.erased) continue;
        text += block.header;
        text += block.body;
    }
    return text;
}

}  // namespace util
