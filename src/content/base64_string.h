// The in-memory base64 encoder: a string to padded base64 text without line
// breaks (the SMTP authentication fields, for example).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace util {

std::string encodeBase64String(std::string_view input);

// Writes the base64 text of a zero-terminated input into a caller buffer of
// the given size, zero-terminated. Returns false (and writes an empty
// string) when the buffer cannot hold 4 characters for every started group
// of 3 bytes plus the terminator.
bool encodeBase64String(const char* input, char* output, std::size_t outputSize);

}  // namespace util
