#include "content/byte_stream.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace util {

std::size_t readFully(ByteSource& source, char* buffer, std::size_t size) {
    std::size_t got = 0;
    while (got < size) {
        std::size_t n = source.read(buffer + got, size - got);
        if (n == 0) break;
        got += n;
    }
    return got;
}

FileSource::FileSource(const char* path) : file_(path && *path ? std::fopen(path, "rb") : nullptr) {}

FileSource::~FileSource() { close(); }

void FileSource::close() {
    if (file_ && owned_) std::fclose(file_);
    file_ = nullptr;
}

std::size_t FileSource::read(char* buffer, std::size_t size) {
    if (!file_ || failed_) return 0;
    std::size_t n = std::fread(buffer, 1, size, file_);
    if (n < size && std::ferror(file_)) failed_ = true;
    return n;
}

bool FileSource::seek(std::uint64_t position) {
    if (!file_ || position > static_cast<std::uint64_t>(LONG_MAX)) return false;
    std::clearerr(file_);
    failed_ = false;
    return std::fseek(file_, static_cast<long>(position), SEEK_SET) == 0;
}

FileSink::FileSink(const char* path) : file_(path && *path ? std::fopen(path, "wb") : nullptr) {
    if (file_) buffer_.resize(kBufferSize);
}

FileSink::~FileSink() { close(); }

bool FileSink::flush() {
    if (used_ && !failed_ && std::fwrite(buffer_.data(), 1, used_, file_) != used_) failed_ = true;
    used_ = 0;
    return !failed_;
}

bool FileSink::close() {
    if (!file_) return !failed_;
    flush();
    if (std::fclose(file_) != 0) failed_ = true;
    file_ = nullptr;
    return !failed_;
}

bool FileSink::write(const char* data, std::size_t size) {
    if (!file_ || failed_) return false;
    if (used_ + size > buffer_.size()) {
        if (!flush()) return false;
        if (size >= buffer_.size()) {
            if (std::fwrite(data, 1, size, file_) != size) failed_ = true;
            return !failed_;
        }
    }
    std::memcpy(buffer_.data() + used_, data, size);
    used_ += size;
    return true;
}

std::size_t MemorySource::read(char* buffer, std::size_t size) {
    std::size_t n = std::min({size, chunk_, data_.size() - at_});
    if (n) std::memcpy(buffer, data_.data() + at_, n);
    at_ += n;
    return n;
}

bool MemorySource::seek(std::uint64_t position) {
    at_ = static_cast<std::size_t>(std::min<std::uint64_t>(position, data_.size()));
    return true;
}

bool StringSink::write(const char* data, std::size_t size) {
    if (failed_) return false;
    std::size_t room = limit_ - bytes_.size();
    if (size > room) {
        bytes_.append(data, room);
        failed_ = true;
        return false;
    }
    bytes_.append(data, size);
    return true;
}

}  // namespace util
