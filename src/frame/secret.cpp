#include "frame/secret.h"

namespace util {

void wipe(void* bytes, std::size_t length) {
    // Writes through a volatile pointer are kept by the compiler, like the
    // platform's own zeroing; the file stays portable so the core can wipe too.
    volatile unsigned char* p = static_cast<volatile unsigned char*>(bytes);
    for (std::size_t i = 0; p && i < length; ++i) p[i] = 0;
}

void wipe(std::string& text) {
    text.resize(text.capacity());
    wipe(text.data(), text.size());
    text.clear();
}

}  // namespace util
