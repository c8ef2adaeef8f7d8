// Signing in to a provider with OAuth 2.0, apart from the network and the
// platform: the providers as data, the proof key (PKCE), the authorization
// address, the loopback redirect as the browser delivers it, the token
// endpoint's answers, when a cached access token is renewed, and the texts
// the administrator sees. Portable.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "transport/tls_rules.h"

namespace util {

// How a record logs in, as stored beside it ("auth"N): a password (the key
// missing, empty or "password": every record written before sign-in
// existed), or a provider by its stored name.
enum class LoginKind : int { Password = 0, Microsoft = 1, Google = 2, Other = 3 };
inline constexpr int kLoginKindCount = 4;
// The choice as the pages offer it, in the enum's order.
inline constexpr const char* kLoginChoiceNames[kLoginKindCount] = {"Password", "Microsoft", "Google", "Other"};

// The stored name ("password", "microsoft", "google", "other") and back;
// an unknown name reads as a password, as a record without the key does.
std::string_view loginKindName(LoginKind kind);
LoginKind loginKindFromName(std::string_view stored);
// The provider's name as the administrator reads it ("Microsoft", "the provider").
std::string loginKindTitle(LoginKind kind);

// What ms.ini holds for the providers ([oauth]): each office registers its
// own application, so the client ids and secrets are the office's; "Other"
// names its endpoints and scopes there too.
struct OAuthSettings {
    std::string microsoftId, microsoftSecret;
    std::string googleId, googleSecret;
    std::string otherId, otherSecret;
    std::string otherAuthorize, otherToken, otherDevice;
    std::string otherPopScope, otherSmtpScope;
};

// One provider as a sign-in uses it.
struct Provider {
    LoginKind kind = LoginKind::Password;
    std::string authorize;      // the authorization endpoint (the browser's page)
    std::string token;          // the token endpoint
    std::string device;         // the device authorization endpoint; "" when the provider has none for mail
    std::string scope;          // for the service, offline access and the account's address included
    std::string extraParameters;  // added to the authorization address ("&access_type=offline...")
    std::string clientId;
    std::string clientSecret;   // "" for a provider that needs none
};

// The provider a record of the service signs in with, from the table and
// the settings; nothing for a password or when a needed setting is missing
// (the reason in missing: "the client id in [oauth] microsoft-id", say).
std::optional<Provider> providerFor(LoginKind kind, MailService service, const OAuthSettings& settings,
                                    std::string* missing = nullptr);

// ---- the proof key and the random values of one sign-in -------------------------
// Base64 in the URL-safe alphabet without padding (RFC 4648, section 5).
std::string base64Url(std::span<const std::uint8_t> bytes);
// Its decoding, lenient of padding; nothing when a character is not of the alphabet.
std::optional<std::string> decodeBase64Url(std::string_view text);
// The code challenge of method S256: base64Url of the verifier's SHA-256.
std::string codeChallenge(std::span<const std::uint8_t, 32> verifierDigest);
// 32 random bytes give a verifier of 43 characters (the least RFC 7636 allows).
inline constexpr std::size_t kVerifierBytes = 32;
inline constexpr std::size_t kStateBytes = 16;

// ---- addresses and forms ----------------------------------------------------------
// application/x-www-form-urlencoded: unreserved characters as they are, the rest %XX.
std::string formEncode(std::string_view text);
std::string formDecode(std::string_view text);  // "+" is a blank, bad escapes stay as they are
std::string formBody(std::span<const std::pair<std::string_view, std::string_view>> fields);

// The loopback address the browser is sent back to (RFC 8252, section 7.3).
std::string loopbackRedirect(int port);

struct AuthorizationRequest {
    std::string redirect, state, challenge, loginHint;
};
// The provider's page the browser opens.
std::string authorizationAddress(const Provider& provider, const AuthorizationRequest& request);

// The browser's request to the loopback listener, taken apart: the first
// line "GET /?code=...&state=... HTTP/1.1".
struct RedirectRequest {
    bool isRedirect = false;  // it carries a code or an error; anything else (an icon, say) is not
    std::string code, state, error, errorDescription;
};
RedirectRequest parseRedirectRequest(std::string_view requestLine);

// ---- the token endpoint's answers ------------------------------------------------------
struct TokenAnswer {
    std::string accessToken, refreshToken;  // wiped when the answer goes
    std::int64_t expiresIn = 0;  // seconds; 0 when the answer did not say
    std::string account;         // the signed-in address from the identity token, when given
    std::string error, errorDescription;  // "invalid_grant", "authorization_pending", ...

    TokenAnswer() = default;
    TokenAnswer(const TokenAnswer&) = default;
    TokenAnswer& operator=(const TokenAnswer&) = default;
    ~TokenAnswer();
};
// An answer that is not JSON is an error "invalid_response".
TokenAnswer parseTokenAnswer(std::string_view body);

struct DeviceAnswer {
    std::string deviceCode, userCode, verificationAddress;
    std::int64_t interval = 5, expiresIn = 900;
    std::string error, errorDescription;
};
DeviceAnswer parseDeviceAnswer(std::string_view body);

// ---- the access token kept in memory ------------------------------------------------
// A provider that does not say how long its token lasts is taken at an hour.
inline constexpr std::int64_t kDefaultTokenSeconds = 3600;
// A token is renewed this long before it expires, so that it does not run
// out between the check and the server's.
inline constexpr std::int64_t kRenewBeforeSeconds = 60;
// The time (seconds on the caller's clock) an access token given at now expires.
std::int64_t tokenExpiry(std::int64_t now, std::int64_t expiresIn);
bool tokenNeedsRenewal(std::int64_t now, std::int64_t expiry);

// ---- texts ------------------------------------------------------------------------------
// After a refused renewal: the administrator signs in again; page names the
// page ("Incoming", "Outgoing").
std::string signInAgainText(LoginKind kind, std::string_view user, std::string_view page);
// The provider's refusal, its words after its error code when it gave some.
std::string providerRefusalText(LoginKind kind, std::string_view error, std::string_view description);

}  // namespace util
