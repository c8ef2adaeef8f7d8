// Lines of a message or envelope file read in binary mode, so that every
// byte reaches the server (a text-mode read would stop at 0x1A): a line
// ends at a line feed, and a carriage return right before it is not part
// of the line. Whole lines of any length, over the library's one line
// reader (content/line_reader.h).
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

#include "content/byte_stream.h"
#include "content/line_reader.h"

namespace util {

class SpoolLineReader {
public:
    static constexpr std::size_t kPieceLength = 4096;

    // Reads the open file from where it stands; pieceLength (tests choose
    // it small) is how much of a long line is taken at a time. The reader
    // keeps a piece's length ahead in its buffer, moving what it holds to
    // the front when it has less: a piece far shorter than the buffer keeps
    // those moves rare.
    explicit SpoolLineReader(std::FILE* file, std::size_t pieceLength = kPieceLength)
        : source_(file), lines_(source_), pieceLength_(pieceLength) {}

    // The next line without its line end, valid until the next call; ended
    // tells whether a line feed ended it (the file's last line may lack
    // one). False at the end of the file or on a read error.
    bool next(std::string_view& line, bool& ended);
    bool next(std::string_view& line) {
        bool ended;
        return next(line, ended);
    }

    // Back to the first line.
    void rewind() { lines_.seek(0); }

private:
    FileSource source_;
    LineReader lines_;
    std::size_t pieceLength_;
    std::string joined_;  // a line longer than one piece
};

}  // namespace util
