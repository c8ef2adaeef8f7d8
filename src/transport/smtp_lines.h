// Lines of a message or envelope file read in binary mode, so that every
// byte reaches the server (a text-mode read would stop at 0x1A): a line
// ends at a line feed, and a carriage return right before it is not part
// of the line.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace util {

class SpoolLineReader {
public:
    explicit SpoolLineReader(std::FILE* file, std::size_t blockSize = 65536);

    // The next line without its line end, valid until the next call; ended
    // tells whether a line feed ended it (the file's last line may lack
    // one). False at the end of the file or on a read error.
    bool next(std::string_view& line, bool& ended);
    bool next(std::string_view& line) {
        bool ended;
        return next(line, ended);
    }

    // Back to the first line.
    void rewind();

private:
    bool fill();
    std::FILE* file_;
    std::vector<char> block_;
    std::size_t begin_ = 0, end_ = 0;
    bool eof_ = false;
    std::string joined_;  // a line that spans blocks
};

}  // namespace util
