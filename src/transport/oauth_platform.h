// What a sign-in takes from the platform: random bytes and SHA-256 (the
// system's cryptographic provider in advapi32.dll) and the protection of
// a refresh token for this machine (CryptProtectData of crypt32.dll,
// loaded by name when first needed).
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "frame/secret.h"

namespace util {

// Fills bytes from the system's random source; false when it cannot.
[[nodiscard]] bool randomBytes(std::span<std::uint8_t> bytes);

// The SHA-256 of text; nothing when the system has no such hash.
std::optional<std::array<std::uint8_t, 32>> sha256(std::string_view text);

// The secret protected for this machine (any account of it can read it
// back, as the mail server's service may run under another), as base64
// text for ms.ini; "" when the system cannot protect it.
std::string protectForMachine(std::string_view secret);

// The secret back from what protectForMachine gave; false when it cannot
// be read (another machine's, or damaged).
[[nodiscard]] bool unprotect(std::string_view stored, SecretText& secret);

}  // namespace util
