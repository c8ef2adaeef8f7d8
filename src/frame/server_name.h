// The mail server's name as the library writes it: in its messages to the
// administrator, in the service's record, joined in the line that signs a
// generated message, and joined in lower case as the value that starts the
// server with Windows.
#pragma once

#include <array>
#include <cstddef>

namespace util {

inline constexpr char kServerName[] = "Brindle Mail Server";

namespace detail {
template <std::size_t N>
constexpr std::array<char, N> joined(const char (&name)[N], bool lower) {
    std::array<char, N> out{};
    std::size_t at = 0;
    for (std::size_t i = 0; i + 1 < N; ++i) {
        char c = name[i];
        if (c == ' ') continue;
        if (lower && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        out[at++] = c;
    }
    return out;
}
inline constexpr std::array<char, sizeof kServerName> kJoinedName = joined(kServerName, false);
inline constexpr std::array<char, sizeof kServerName> kRunName = joined(kServerName, true);
}  // namespace detail

// "BrindleMailServer".
inline constexpr const char* kServerNameJoined = detail::kJoinedName.data();
// "brindlemailserver".
inline constexpr const char* kServerRunValue = detail::kRunName.data();

}  // namespace util
