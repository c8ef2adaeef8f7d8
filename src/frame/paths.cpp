#include "frame/paths.h"

#include <cstring>

namespace util {

bool isDriveRoot(std::string_view folder) {
    return folder.size() == 3 && folder[2] == '\\';
}

std::string configPathFor(std::string_view installFolder) {
    std::string path(installFolder);
    path += isDriveRoot(installFolder) ? "ms.ini" : "\\ms.ini";
    return path;
}

std::string eventLogPathFor(std::string_view installFolder, bool trimmingCopy) {
    std::string path(isDriveRoot(installFolder) ? installFolder.substr(0, 2) : installFolder);
    path += kEventLogFolder;
    path += trimmingCopy ? "\\events.tmp" : "\\events.txt";
    return path;
}

std::string installPath(std::string_view installFolder, std::string_view tail) {
    std::string path(installFolder);
    path += tail;
    return path;
}

std::size_t copyToBuffer(std::string_view text, char* buffer, std::size_t size) {
    if (!buffer || size == 0) return 0;
    std::size_t n = text.size() < size ? text.size() : size - 1;
    std::memcpy(buffer, text.data(), n);
    buffer[n] = '\0';
    return n + 1;
}

}  // namespace util
