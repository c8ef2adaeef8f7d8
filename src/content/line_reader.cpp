#include "content/line_reader.h"

#include <algorithm>
#include <cstring>

namespace util {

LineReader::LineReader(ByteSource& source) : source_(source), buffer_(kBufferSize) {}

void LineReader::fill(std::size_t wanted) {
    if (end_ - begin_ >= wanted || atEnd_) return;
    std::size_t held = end_ - begin_;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, held);
        begin_ = 0;
        end_ = held;
    }
    while (end_ < wanted) {
        std::size_t n = source_.read(buffer_.data() + end_, buffer_.size() - end_);
        if (n == 0) {
            atEnd_ = true;
            return;
        }
        end_ += n;
    }
}

bool LineReader::next(std::size_t maxLength, LinePiece& piece) {
    maxLength = std::clamp<std::size_t>(maxLength, 1, kBufferSize - 2);
    // The piece, its line end (CR LF at most) and one byte to tell whether
    // the line goes on.
    ensure(maxLength + 2);
    std::size_t held = end_ - begin_;
    if (held == 0) return false;
    const char* p = buffer_.data() + begin_;
    std::size_t scan = std::min(held, maxLength + 2);
    std::size_t take = maxLength, consume = maxLength;
    bool ends = false;
    if (const void* lf = std::memchr(p, '\n', scan)) {
        std::size_t at = static_cast<std::size_t>(static_cast<const char*>(lf) - p);
        std::size_t length = at > 0 && p[at - 1] == '\r' ? at - 1 : at;
        if (length <= maxLength) {
            take = length;
            consume = at + 1;
            ends = true;
        }
    } else if (atEnd_ && held <= maxLength) {
        take = consume = held;  // the last line, without a line end
        ends = true;
    }
    piece.text = std::string_view(p, take);
    piece.startsLine = !midLine_;
    piece.endsLine = ends;
    midLine_ = !ends;
    begin_ += consume;
    position_ += consume;
    return true;
}

bool LineReader::skipToLineBeginning(std::string_view prefix) {
    for (;;) {
        if (!midLine_) {
            ensure(std::max<std::size_t>(prefix.size(), 1));
            std::size_t held = end_ - begin_;
            if (held == 0) return false;
            if (startsWith(std::string_view(buffer_.data() + begin_, held), prefix)) return true;
        }
        const char* p = buffer_.data() + begin_;
        std::size_t held = end_ - begin_;
        if (const void* lf = std::memchr(p, '\n', held)) {
            std::size_t line = static_cast<std::size_t>(static_cast<const char*>(lf) - p) + 1;
            begin_ += line;
            position_ += line;
            midLine_ = false;
        } else {
            begin_ = end_;
            position_ += held;
            midLine_ = true;
            ensure(1);
            if (end_ == begin_) return false;
        }
    }
}

bool LineReader::seek(std::uint64_t position) {
    begin_ = end_ = 0;
    atEnd_ = false;
    midLine_ = false;
    position_ = position;
    if (source_.seek(position)) return true;
    atEnd_ = true;
    return false;
}

}  // namespace util
