#include "admin/page_text.h"

#include <cstdio>

#include "frame/message_file.h"

namespace admin {

std::string textForEdit(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c == '\r' || c == '\n') {
            text += "\r\n";
            if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ++i;
        } else {
            text += c;
        }
    }
    return text;
}

std::vector<std::string> editLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(std::move(current));
            current.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        } else {
            current += c;
        }
    }
    if (!current.empty()) lines.push_back(std::move(current));
    return lines;
}

std::vector<std::string> nonEmptyLines(std::string_view text) {
    std::vector<std::string> lines;
    for (std::string& line : editLines(text))
        if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}

std::string cutToFit(std::string text, std::size_t capacity) {
    while (text.size() > capacity && text.size() > kCutStep) text.resize(text.size() - kCutStep);
    return text;
}

std::string withoutOuterBlanks(std::string_view text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) return {};
    return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::optional<std::string> readFileBytes(const std::string& path, std::size_t limit) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    while (bytes.size() < limit) {
        std::size_t want = limit - bytes.size() < sizeof chunk ? limit - bytes.size() : sizeof chunk;
        std::size_t got = std::fread(chunk, 1, want, in);
        if (got == 0) break;
        bytes.append(chunk, got);
    }
    std::fclose(in);
    return bytes;
}

bool writeLines(const std::string& path, const std::vector<std::string>& lines) {
    util::MessageFile file;
    if (!file.create(path)) return false;
    file.lines(lines);
    return file.close();
}

}  // namespace admin
