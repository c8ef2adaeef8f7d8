// A message file written in binary, block by block: the bytes on disk are
// the bytes given, line ends included. Owns its handle. A file is kept only
// when it is closed: one still open when its writer goes (an early return or
// an exception) is deleted, so no half-written message is left behind.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace util {

class SpoolFile {
public:
    SpoolFile() = default;
    ~SpoolFile() { if (isOpen()) discard(); }
    SpoolFile(const SpoolFile&) = delete;
    SpoolFile& operator=(const SpoolFile&) = delete;

    // Creates the file anew (emptied when it exists).
    [[nodiscard]] bool create(const std::string& path);
    // Opens an existing file for writing without emptying it.
    [[nodiscard]] bool openExisting(const std::string& path);
    [[nodiscard]] bool seekEnd();
    [[nodiscard]] bool seekStart();
    [[nodiscard]] bool write(std::string_view bytes);
    [[nodiscard]] bool write(const char* data, std::size_t size);
    // Closes and keeps the file.
    void close();
    // Closes and deletes the file.
    void discard();
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    const std::string& path() const { return path_; }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::string path_;
};

}  // namespace util
