#include "frame/message_file.h"

namespace util {

bool MessageFile::create(const std::string& path) {
    close();
    file_ = std::fopen(path.c_str(), "wb");
    ok_ = file_ != nullptr;
    return ok_;
}

void MessageFile::put(const char* data, std::size_t size) {
    if (!file_ || size == 0) return;
    if (std::fwrite(data, 1, size, file_) != size) ok_ = false;
}

void MessageFile::line(const std::string& text) {
    put(text.data(), text.size());
    put("\r\n", 2);
}

void MessageFile::lines(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) line(text);
}

bool MessageFile::copyBytes(const std::string& path) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, in)) > 0) put(chunk, got);
    std::fclose(in);
    return true;
}

bool MessageFile::copyText(const std::string& path) {
    std::vector<std::string> texts;
    if (!readTextLines(path, texts)) return false;
    lines(texts);
    return true;
}

bool MessageFile::close() {
    if (!file_) return false;
    bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    return closed && ok_;
}

bool readTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (!in) return false;
    std::string current;
    bool pending = false;
    int c;
    while ((c = std::fgetc(in)) != EOF) {
        if (c == '\n') {
            if (!current.empty() && current.back() == '\r') current.pop_back();
            lines.push_back(std::move(current));
            current.clear();
            pending = false;
        } else {
            current += static_cast<char>(c);
            pending = true;
        }
    }
    if (pending) lines.push_back(std::move(current));
    std::fclose(in);
    return true;
}

}  // namespace util
