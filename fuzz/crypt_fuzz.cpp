// The scrambler keeps length and spaces and round-trips any input.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "frame/crypt.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::size_t split = size ? data[0] % 16 : 0;
    std::string bytes(reinterpret_cast<const char*>(data), size);
    std::string key = bytes.substr(0, split < size ? split : size);
    std::string text = bytes.substr(key.size());
    text = text.substr(0, text.find('\0'));
    key = key.substr(0, key.find('\0'));
    std::string stored = util::crypt(key, text, true);
    if (stored.size() != text.size()) std::abort();
    for (std::size_t i = 0; i < text.size(); ++i)
        if ((text[i] == ' ') != (stored[i] == ' ')) std::abort();
    // Reversible whenever the key stays within the alphabet.
    bool keyInAlphabet = true;
    for (unsigned char c : key) keyInAlphabet &= c > 32 && c < 127;
    if (keyInAlphabet && util::crypt(key, stored, false) != text) std::abort();
    return 0;
}
