// The in-memory base64 encoder: bytes to padded base64 text without line
// breaks (the SMTP authentication fields, for example, and each line of the
// file encoder).
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace util {

// Characters of the padded text of size bytes.
constexpr std::size_t base64Length(std::size_t size) { return (size + 2) / 3 * 4; }

// Writes the padded text of input to out, which has room for
// base64Length(input.size()) characters; returns the end of the text.
char* encodeBase64Into(std::string_view input, char* out);

std::string encodeBase64String(std::string_view input);

// The bytes of base64 text held in memory, read as the stream decoder reads
// it (content/base64_decoder.h).
std::string decodeBase64String(std::string_view text);

// Writes the base64 text of a zero-terminated input into a caller buffer of
// the given size, zero-terminated. Returns false (and writes an empty
// string) when the buffer cannot hold 4 characters for every started group
// of 3 bytes plus the terminator.
bool encodeBase64String(const char* input, char* output, std::size_t outputSize);

}  // namespace util
