// Writing the library's own message and envelope files: every line ends in
// CR LF on disk, and files copied into a message keep their bytes.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace util {

// An open file that closes itself; ok() turns false after a failed write.
class MessageFile {
public:
    MessageFile() = default;
    ~MessageFile() { close(); }
    MessageFile(const MessageFile&) = delete;
    MessageFile& operator=(const MessageFile&) = delete;

    // Creates (or truncates) the file for writing.
    bool create(const std::string& path);
    bool isOpen() const { return file_ != nullptr; }
    bool ok() const { return file_ != nullptr && ok_; }

    void line(const std::string& text);
    void lines(const std::vector<std::string>& texts);
    // The bytes of another file, unchanged. False when it cannot be opened.
    bool copyBytes(const std::string& path);
    // A text file line by line: each line, without its CR LF or LF, then
    // CR LF. False when it cannot be opened.
    bool copyText(const std::string& path);
    // Closes the file; false when a write or the close failed.
    bool close();

private:
    void put(const char* data, std::size_t size);
    std::FILE* file_ = nullptr;
    bool ok_ = true;
};

// The lines of a text file, each without its CR LF or LF; false when it
// cannot be opened.
bool readTextLines(const std::string& path, std::vector<std::string>& lines);

}  // namespace util
