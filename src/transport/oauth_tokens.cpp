#include "transport/oauth_tokens.h"

#include <windows.h>

#include <map>
#include <memory>
#include <set>

#include "content/base64_decoder.h"
#include "frame/event_log.h"
#include "frame/profile.h"
#include "transport/https_client.h"
#include "transport/oauth_platform.h"

namespace util {
namespace {

// An access token kept in memory, by the stored refresh token it came from.
struct KeptToken {
    SecretText accessToken{kAccessTokenRoom};
    std::int64_t expiry = 0;
};
// Made on first use and never destroyed: nothing of it runs while the
// library is unloaded.
std::map<std::string, std::unique_ptr<KeptToken>>& keptTokens() {
    static auto* kept = new std::map<std::string, std::unique_ptr<KeptToken>>;
    return *kept;
}

// The stored refresh tokens the provider refused: not offered to it again
// (the administrator signs in again, which stores another).
std::set<std::string>& endedTokens() {
    static auto* ended = new std::set<std::string>;
    return *ended;
}

bool sameHost(std::string_view a, std::string_view b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b.data(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

std::string decodedAccount(std::string_view base64) {
    std::string bytes(Base64Decoder::maxBytes(base64.size()), '\0');
    Base64Decoder decoder;
    char* end = decoder.finish(decoder.more(base64, bytes.data()));
    bytes.resize(static_cast<std::size_t>(end - bytes.data()));
    return bytes;
}

const cfg::TextKey& tokenKey(MailService service) {
    return service == MailService::Pop3 ? cfg::kIncomingToken : cfg::kOutgoingToken;
}

void keep(const std::string& storedToken, std::string_view accessToken, std::int64_t expiresIn) {
    auto& slot = keptTokens()[storedToken];
    if (!slot) slot = std::make_unique<KeptToken>();
    slot->accessToken.text() = accessToken;
    slot->expiry = tokenExpiry(nowSeconds(), expiresIn);
}

}  // namespace

std::string_view signInPage(MailService service) { return service == MailService::Pop3 ? "Incoming" : "Outgoing"; }

std::int64_t nowSeconds() {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (std::uint64_t{now.dwHighDateTime} << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000u);
}

OAuthSettings readOAuthSettings() {
    OAuthSettings s;
    s.microsoftId = read(cfg::kOAuthMicrosoftId);
    s.microsoftSecret = read(cfg::kOAuthMicrosoftSecret);
    s.googleId = read(cfg::kOAuthGoogleId);
    s.googleSecret = read(cfg::kOAuthGoogleSecret);
    s.otherId = read(cfg::kOAuthOtherId);
    s.otherSecret = read(cfg::kOAuthOtherSecret);
    s.otherAuthorize = read(cfg::kOAuthOtherAuthorize);
    s.otherToken = read(cfg::kOAuthOtherToken);
    s.otherDevice = read(cfg::kOAuthOtherDevice);
    s.otherPopScope = read(cfg::kOAuthOtherPopScope);
    s.otherSmtpScope = read(cfg::kOAuthOtherSmtpScope);
    return s;
}

std::optional<SignedInRecord> pop3SignIn(std::string_view host, std::string_view user, int port) {
    const ProfileLines lines = readSection(cfg::kIncoming);
    const int count = familyLength(lines, cfg::kIncomingNode);
    const int wanted = port > 0 ? port : cfg::kIncomingPort.fallback;
    for (int n = 0; n < count; ++n) {
        const LoginKind kind = loginKindFromName(read(lines, cfg::kIncomingLogin, n));
        if (kind == LoginKind::Password || !sameHost(read(lines, cfg::kIncomingNode, n), host)) continue;
        const int stored = read(lines, cfg::kIncomingPort, n);
        if ((stored > 0 ? stored : cfg::kIncomingPort.fallback) != wanted || read(lines, cfg::kIncomingUser, n) != user)
            continue;
        return SignedInRecord{MailService::Pop3, n, kind, std::string(user), read(lines, cfg::kIncomingToken, n)};
    }
    return std::nullopt;
}

std::optional<SignedInRecord> smtpSignIn(const RelayRecord& relay) {
    const ProfileLines lines = readSection(cfg::kOutgoing);
    const int count = familyLength(lines, cfg::kOutgoingServer);
    for (int n = 0; n < count; ++n) {
        const LoginKind kind = loginKindFromName(read(lines, cfg::kOutgoingLogin, n));
        if (kind == LoginKind::Password) continue;
        RelayRecord stored = parseRelayRecord(read(lines, cfg::kOutgoingServer, n));
        const bool same = sameHost(stored.host, relay.host) && stored.port == relay.port && stored.account == relay.account;
        wipe(stored.password);
        if (!same) continue;
        return SignedInRecord{MailService::Smtp, n, kind, decodedAccount(relay.account), read(lines, cfg::kOutgoingToken, n)};
    }
    return std::nullopt;
}

void keepAccessToken(const std::string& storedToken, std::string_view accessToken, std::int64_t expiresIn) {
    keep(storedToken, accessToken, expiresIn);
}

void dropAccessToken(const SignedInRecord& record) { keptTokens().erase(record.storedToken); }

bool accessTokenFor(const SignedInRecord& record, SecretText& token) {
    if (auto at = keptTokens().find(record.storedToken);
        at != keptTokens().end() && !tokenNeedsRenewal(nowSeconds(), at->second->expiry)) {
        token.text() = at->second->accessToken.text();
        return true;
    }
    const std::string page(signInPage(record.service));
    if (endedTokens().count(record.storedToken) != 0) {
        statusOut(signInAgainText(record.kind, record.user, page));
        return false;
    }
    SecretText refresh(8192);
    if (record.storedToken.empty() || !unprotect(record.storedToken, refresh)) {
        statusOut("No sign-in with " + loginKindTitle(record.kind) + " is stored for " + record.user +
                  ": sign in on the " + page + " page");
        return false;
    }
    std::string missing;
    std::optional<Provider> provider = providerFor(record.kind, record.service, readOAuthSettings(), &missing);
    if (!provider) {
        statusOut("Sign-in with " + loginKindTitle(record.kind) + " needs " + missing);
        return false;
    }
    statusOut("Renewing the sign-in with " + loginKindTitle(record.kind) + " for " + record.user);
    std::vector<std::pair<std::string_view, std::string_view>> fields = {
        {"grant_type", "refresh_token"}, {"refresh_token", refresh.text()}, {"client_id", provider->clientId}};
    if (!provider->clientSecret.empty()) fields.push_back({"client_secret", provider->clientSecret});
    SecretText body(refresh.text().size() * 3 + 512);
    body.text() = formBody(fields);
    HttpsOutcome outcome = postForm(provider->token, body.text());
    if (!outcome.answer) return false;
    TokenAnswer answer = parseTokenAnswer(outcome.answer->body);
    wipe(outcome.answer->body);
    if (answer.error == "invalid_grant") {
        // The refresh token is no more: only the administrator can sign in again.
        dropAccessToken(record);
        endedTokens().insert(record.storedToken);
        statusOut(providerRefusalText(record.kind, answer.error, answer.errorDescription));
        statusOut(signInAgainText(record.kind, record.user, page));
        return false;
    }
    if (!answer.error.empty()) {
        statusOut(providerRefusalText(record.kind, answer.error, answer.errorDescription));
        return false;
    }
    std::string key = record.storedToken;
    if (!answer.refreshToken.empty() && answer.refreshToken != refresh.text()) {
        // A provider that hands out a new refresh token may end the old one.
        std::string stored = protectForMachine(answer.refreshToken);
        if (!stored.empty()) {
            dropAccessToken(record);
            write(tokenKey(record.service), stored, record.number);
            key = stored;
        }
    }
    keep(key, answer.accessToken, answer.expiresIn);
    token.text() = answer.accessToken;
    return true;
}

}  // namespace util
