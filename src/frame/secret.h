// Passwords and the lines that carry them are wiped from memory once
// used, so that they do not linger in freed heap blocks or process-wide
// buffers for the rest of the process's life.
#pragma once

#include <cstddef>
#include <string>

namespace util {

// Overwrites length bytes with zeros, in a way the compiler keeps.
void wipe(void* bytes, std::size_t length);

// Overwrites the whole of text's storage, then empties it.
void wipe(std::string& text);

// A string holding a secret, wiped when it goes. Its room is reserved at
// once so that it is never copied on growth.
class SecretText {
public:
    explicit SecretText(std::size_t room = 1024) { text_.reserve(room); }
    ~SecretText() { wipe(text_); }
    SecretText(const SecretText&) = delete;
    SecretText& operator=(const SecretText&) = delete;
    std::string& text() { return text_; }
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

}  // namespace util
