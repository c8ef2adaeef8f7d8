#include "frame/spool_file.h"

namespace util {
namespace {

HANDLE openForWriting(const std::string& path, DWORD disposition) {
    return CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL,
                       nullptr);
}

}  // namespace

bool SpoolFile::create(const std::string& path) {
    close();
    path_ = path;
    handle_ = openForWriting(path, CREATE_ALWAYS);
    return isOpen();
}

bool SpoolFile::openExisting(const std::string& path) {
    close();
    path_ = path;
    handle_ = openForWriting(path, OPEN_EXISTING);
    return isOpen();
}

bool SpoolFile::seekEnd() {
    return isOpen() && SetFilePointer(handle_, 0, nullptr, FILE_END) != INVALID_SET_FILE_POINTER;
}

bool SpoolFile::seekStart() {
    return isOpen() && SetFilePointer(handle_, 0, nullptr, FILE_BEGIN) != INVALID_SET_FILE_POINTER;
}

bool SpoolFile::write(std::string_view bytes) { return write(bytes.data(), bytes.size()); }

bool SpoolFile::write(const char* data, std::size_t size) {
    if (!isOpen()) return false;
    while (size > 0) {
        DWORD put = 0;
        DWORD chunk = size > 0x10000000u ? 0x10000000u : static_cast<DWORD>(size);
        if (!WriteFile(handle_, data, chunk, &put, nullptr) || put == 0) return false;
        data += put;
        size -= put;
    }
    return true;
}

void SpoolFile::close() {
    if (isOpen()) CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

void SpoolFile::discard() {
    close();
    if (!path_.empty()) DeleteFileA(path_.c_str());
}

}  // namespace util
