// The tokens of the records that sign in with a provider: which record a
// connection belongs to, the access token kept in memory with its expiry
// and renewed before it expires, and the refresh token stored beside the
// record, protected for the machine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "frame/secret.h"
#include "transport/oauth_rules.h"
#include "transport/smtp_relay.h"

namespace util {

// Room for an access token (a few kilobytes with some providers), so that
// the buffers that hold one are never grown.
inline constexpr std::size_t kAccessTokenRoom = 16384;

// A record that signs in with a provider, as a connection finds it.
struct SignedInRecord {
    MailService service = MailService::Pop3;
    int number = 0;           // its number in [incoming] or [outgoing]
    LoginKind kind = LoginKind::Password;
    std::string user;         // the account the token is for
    std::string storedToken;  // token%d as stored: the protected refresh token
};

// The [incoming] record for OpenPop3's host (any case), user and port (0:
// 110), when it signs in with a provider.
std::optional<SignedInRecord> pop3SignIn(std::string_view host, std::string_view user, int port);
// The [outgoing] record with the relay record's host (any case), port and
// account, when it signs in with a provider.
std::optional<SignedInRecord> smtpSignIn(const RelayRecord& relay);

OAuthSettings readOAuthSettings();

// Seconds on the clock the tokens' expiry is kept by.
std::int64_t nowSeconds();

// An access token for the record: the one kept while it is fresh, else a
// renewed one (a new refresh token the provider hands out is stored in its
// place). False, the reason shown as status text and event line, when the
// provider refused the renewal (the administrator signs in again: never
// tried again by itself) or could not be reached. No token is ever shown.
[[nodiscard]] bool accessTokenFor(const SignedInRecord& record, SecretText& token);

// The mail server refused the token: the next connection renews it.
void dropAccessToken(const SignedInRecord& record);

// Keeps the access token a sign-in gave for the refresh token stored.
void keepAccessToken(const std::string& storedToken, std::string_view accessToken, std::int64_t expiresIn);

// The page where a record of the service is signed in again.
std::string_view signInPage(MailService service);

}  // namespace util
