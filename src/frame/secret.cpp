#include "frame/secret.h"

#include <windows.h>

namespace util {

void wipe(void* bytes, std::size_t length) {
    if (bytes) SecureZeroMemory(bytes, length);
}

void wipe(std::string& text) {
    text.resize(text.capacity());
    wipe(text.data(), text.size());
    text.clear();
}

}  // namespace util
