#include "content/line_reader.h"

#include <algorithm>
#include <cstring>

#include "content/byte_search.h"

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
    bool ends = false, lineFeed = false;
    if (const char* lf = findByte(p, p + scan, '\n')) {
        std::size_t at = static_cast<std::size_t>(lf - p);
        std::size_t length = at > 0 && p[at - 1] == '\r' ? at - 1 : at;
        if (length <= maxLength) {
            take = length;
            consume = at + 1;
            ends = lineFeed = true;
        }
    } else if (atEnd_ && held <= maxLength) {
        take = consume = held;  // the last line, without a line end
        ends = true;
    }
    piece.text = std::string_view(p, take);
    piece.startsLine = !midLine_;
    piece.endsLine = ends;
    piece.lineFeed = lineFeed;
    midLine_ = !ends;
    begin_ += consume;
    position_ += consume;
    return true;
}

bool LineReader::skipToLineBeginning(std::string_view prefix) {
    if (prefix.empty()) return true;
    for (;;) {
        if (!midLine_) {
            ensure(prefix.size());
            std::size_t held = end_ - begin_;
            if (held == 0) return false;
            if (startsWith(std::string_view(buffer_.data() + begin_, held), prefix)) return true;
        }
        // The next line start that holds the prefix's first character: a
        // search for that character alone passes over whole base64 parts,
        // whose alphabet has no "-", in one scan.
        const char* base = buffer_.data();
        const char* from = base + begin_ + 1;
        const char* end = base + end_;
        const char* hit = nullptr;
        while (from < end && (hit = findByte(from, end, prefix[0])) != nullptr && hit[-1] != '\n') from = hit + 1;
        if (from < end && hit) {
            std::size_t skipped = static_cast<std::size_t>(hit - base) - begin_;
            begin_ += skipped;
            position_ += skipped;
            midLine_ = false;
            continue;
        }
        if (end_ > begin_) midLine_ = base[end_ - 1] != '\n';
        position_ += end_ - begin_;
        begin_ = end_;
        ensure(1);
        if (end_ == begin_) return false;
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
