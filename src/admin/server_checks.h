// The checks the Incoming and Outgoing pages run when their editor's Save
// is pressed: the first failing rule gives the message, the field to focus
// and whether its text is selected. Portable: the pages only show the result.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace admin {

inline constexpr const char* kExamplePopHost = "pop.example.com";
inline constexpr const char* kExampleSmtpHost = "smtp.example.com";
inline constexpr const char* kExampleAddress = "postmaster@example.com";

enum class Field { Server, Port, User, Password, Sender, AuthSettings };

struct Refusal {
    std::string message;
    Field field;
    bool selectText;
};

// The decimal value of the leading digits of text (0 when there are none),
// saturating instead of overflowing.
long long portValue(std::string_view text);

struct PopEntry {
    std::string_view server, port, user, password;
    bool signsIn = false;  // signs in with a provider: no password
};
std::optional<Refusal> checkPopEntry(const PopEntry& entry);

struct RelayEntry {
    std::string_view host, port;
    bool changeSender;
    std::string_view sender;
    bool authentication;
    bool haveAuthData;  // both encoded authentication texts are non-empty
};
std::optional<Refusal> checkRelayEntry(const RelayEntry& entry);

// A record that signs in with a provider is saved only once signed in:
// then it has the refresh token and the account the sign-in gave.
inline constexpr const char* kSignInFirst = "Please sign in with the provider first (Sign in...)";
std::optional<std::string> checkSignedIn(bool signsIn, bool signedIn);

}  // namespace admin
