// The password scrambler: a position-dependent substitution over the
// printable characters that keeps length and spaces. What ms.ini stores is
// the scrambled form; a typed password is checked by scrambling it and
// comparing the two.
#pragma once

#include <string>
#include <string_view>

namespace util {

// The key for the system's own secrets (admin password, scanner phrases,
// provider mailbox passwords).
inline constexpr const char* kSystemKey = "qelvoran";

// Transforms input into output (which may be the same buffer; each position
// is read before it is written) and terminates it. scramble true turns
// clear text into the stored form, false the stored form back into clear.
// Characters outside the alphabet pass through unchanged.
void cryptInPlace(std::string_view key, const char* input, char* output, bool scramble);

std::string crypt(std::string_view key, std::string_view input, bool scramble);

}  // namespace util
