#include "content/spam_words.h"

#include <algorithm>
#include <cstring>

namespace util::spam {


std::vector<std::string> splitWords(std::string_view text, std::size_t maxWord) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isDelimiter(text[i])) ++i;
        std::size_t start = i;
        while (i < text.size() && !isDelimiter(text[i])) ++i;
        if (i > start) words.emplace_back(text.substr(start, std::min(i - start, maxWord)));
    }
    return words;
}

std::size_t MemorySource::read(char* buffer, std::size_t size) {
    std::size_t n = std::min(size, bytes_.size());
    if (n) std::memcpy(buffer, bytes_.data(), n);
    bytes_.remove_prefix(n);
    return n;
}

bool ByteReader::fill() {
    pos_ = 0;
    end_ = source_.read(buffer_.data(), buffer_.size());
    return end_ > 0;
}

bool ByteReader::nextLine(std::string& line, bool& hadLineEnd) {
    line.clear();
    hadLineEnd = false;
    if (pos_ == end_ && !fill()) return false;
    for (;;) {
        const char* start = buffer_.data() + pos_;
        const void* lf = std::memchr(start, '\n', end_ - pos_);
        if (lf) {
            std::size_t n = static_cast<const char*>(lf) - start;
            line.append(start, n);
            pos_ += n + 1;
            hadLineEnd = true;
            if (!line.empty() && line.back() == '\r') line.pop_back();
            return true;
        }
        line.append(start, end_ - pos_);
        pos_ = end_;
        if (!fill()) return true;
    }
}

bool ByteReader::nextWord(std::string& word, std::size_t maxWord) {
    word.clear();
    for (;;) {
        if (pos_ == end_ && !fill()) return false;
        while (pos_ < end_ && isDelimiter(buffer_[pos_])) ++pos_;
        if (pos_ < end_) break;
    }
    for (;;) {
        std::size_t start = pos_;
        while (pos_ < end_ && !isDelimiter(buffer_[pos_])) ++pos_;
        std::size_t room = maxWord - word.size();
        word.append(buffer_.data() + start, std::min(pos_ - start, room));
        if (pos_ < end_ || !fill()) return true;
    }
}

}  // namespace util::spam
