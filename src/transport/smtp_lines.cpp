#include "transport/smtp_lines.h"

#include <cstring>

namespace util {

SpoolLineReader::SpoolLineReader(std::FILE* file, std::size_t blockSize)
    : file_(file), block_(blockSize > 0 ? blockSize : 1) {}

void SpoolLineReader::rewind() {
    if (file_) std::fseek(file_, 0, SEEK_SET);
    begin_ = end_ = 0;
    eof_ = false;
}

bool SpoolLineReader::fill() {
    if (eof_ || !file_) return false;
    std::size_t got = std::fread(block_.data(), 1, block_.size(), file_);
    if (got == 0) {
        eof_ = true;
        return false;
    }
    begin_ = 0;
    end_ = got;
    return true;
}

bool SpoolLineReader::next(std::string_view& line, bool& ended) {
    if (begin_ == end_ && !fill()) return false;
    // The common case: the whole line lies in the block.
    const char* start = block_.data() + begin_;
    if (const void* lf = std::memchr(start, '\n', end_ - begin_)) {
        std::size_t length = static_cast<std::size_t>(static_cast<const char*>(lf) - start);
        begin_ += length + 1;
        if (length > 0 && start[length - 1] == '\r') --length;
        line = std::string_view(start, length);
        ended = true;
        return true;
    }
    joined_.assign(start, end_ - begin_);
    begin_ = end_;
    ended = false;
    while (fill()) {
        start = block_.data();
        const void* lf = std::memchr(start, '\n', end_);
        std::size_t length = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - start) : end_;
        joined_.append(start, length);
        if (lf) {
            begin_ = length + 1;
            ended = true;
            break;
        }
        begin_ = end_;
    }
    if (ended && !joined_.empty() && joined_.back() == '\r') joined_.pop_back();
    line = joined_;
    return true;
}

}  // namespace util
