#include "transport/oauth_rules.h"

#include <nlohmann/json.hpp>

#include <cctype>

#include "frame/ascii_case.h"
#include "frame/secret.h"

namespace util {
namespace {

// The providers the pages name, as data. Microsoft: one token serves one
// service, so POP3 and SMTP ask for their own scope; its applications for
// desktops have no secret. Google: one scope for all mail, a refresh token
// only with offline access asked for and consent given again, and a secret
// for every client; its device sign-in does not cover mail.
struct ProviderRow {
    LoginKind kind;
    const char* authorize;
    const char* token;
    const char* device;
    const char* popScope;
    const char* smtpScope;
    const char* extraParameters;
    bool needsSecret;
};
constexpr ProviderRow kProviders[] = {
    {LoginKind::Microsoft, "https://login.microsoftonline.com/common/oauth2/v2.0/authorize",
     "https://login.microsoftonline.com/common/oauth2/v2.0/token",
     "https://login.microsoftonline.com/common/oauth2/v2.0/devicecode",
     "https://outlook.office.com/POP.AccessAsUser.All offline_access openid email",
     "https://outlook.office.com/SMTP.Send offline_access openid email", "", false},
    {LoginKind::Google, "https://accounts.google.com/o/oauth2/v2/auth", "https://oauth2.googleapis.com/token", "",
     "https://mail.google.com/ openid email", "https://mail.google.com/ openid email",
     "&access_type=offline&prompt=consent", true},
};

constexpr char kUrlAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

int urlValue(char c) {
    if (c >= 'A' && c <= 'Z') return c - 'A';
    if (c >= 'a' && c <= 'z') return c - 'a' + 26;
    if (c >= '0' && c <= '9') return c - '0' + 52;
    if (c == '-' || c == '+') return 62;
    if (c == '_' || c == '/') return 63;
    return -1;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

using Json = nlohmann::json;

// The member as text: a string as it is, a number written out; "" otherwise.
std::string member(const Json& object, const char* name) {
    auto at = object.find(name);
    if (at == object.end()) return "";
    if (at->is_string()) return at->get<std::string>();
    if (at->is_number_integer()) return std::to_string(at->get<std::int64_t>());
    return "";
}

std::int64_t number(const Json& object, const char* name, std::int64_t fallback) {
    auto at = object.find(name);
    if (at == object.end()) return fallback;
    if (at->is_number_integer()) return at->get<std::int64_t>();
    // Some providers write their numbers as strings.
    if (at->is_string()) {
        const std::string text = at->get<std::string>();
        if (!text.empty() && text.find_first_not_of("0123456789") == std::string::npos && text.size() < 12)
            return std::stoll(text);
    }
    return fallback;
}

Json parseObject(std::string_view body) {
    Json parsed = Json::parse(body.begin(), body.end(), nullptr, false);
    return parsed.is_object() ? parsed : Json::object();
}

// The address an identity token names: only shown, never trusted for
// anything else (it came straight from the token endpoint over TLS).
std::string identityAccount(std::string_view idToken) {
    const std::size_t first = idToken.find('.');
    const std::size_t second = first == std::string_view::npos ? first : idToken.find('.', first + 1);
    if (second == std::string_view::npos) return "";
    std::optional<std::string> payload = decodeBase64Url(idToken.substr(first + 1, second - first - 1));
    if (!payload) return "";
    const Json claims = parseObject(*payload);
    for (const char* name : {"email", "preferred_username", "upn"}) {
        std::string value = member(claims, name);
        if (!value.empty()) return value;
    }
    return "";
}

}  // namespace

std::string_view loginKindName(LoginKind kind) {
    switch (kind) {
    case LoginKind::Microsoft: return "microsoft";
    case LoginKind::Google: return "google";
    case LoginKind::Other: return "other";
    case LoginKind::Password: break;
    }
    return "password";
}

LoginKind loginKindFromName(std::string_view stored) {
    for (LoginKind kind : {LoginKind::Microsoft, LoginKind::Google, LoginKind::Other})
        if (equalsIgnoringCase(stored, loginKindName(kind))) return kind;
    return LoginKind::Password;
}

std::string loginKindTitle(LoginKind kind) {
    return kind == LoginKind::Other ? "the provider" : kLoginChoiceNames[static_cast<int>(kind)];
}

std::optional<Provider> providerFor(LoginKind kind, MailService service, const OAuthSettings& s,
                                    std::string* missing) {
    auto lacking = [&](const char* what) -> std::optional<Provider> {
        if (missing) *missing = what;
        return std::nullopt;
    };
    Provider p;
    p.kind = kind;
    if (kind == LoginKind::Other) {
        p.authorize = s.otherAuthorize;
        p.token = s.otherToken;
        p.device = s.otherDevice;
        p.scope = service == MailService::Pop3 ? s.otherPopScope : s.otherSmtpScope;
        p.clientId = s.otherId;
        p.clientSecret = s.otherSecret;
        if (p.authorize.empty() && p.device.empty()) return lacking("the authorization address in [oauth] other-authorize");
        if (p.token.empty()) return lacking("the token address in [oauth] other-token");
        if (p.clientId.empty()) return lacking("the client id in [oauth] other-id");
        return p;
    }
    for (const ProviderRow& row : kProviders) {
        if (row.kind != kind) continue;
        p.authorize = row.authorize;
        p.token = row.token;
        p.device = row.device;
        p.scope = service == MailService::Pop3 ? row.popScope : row.smtpScope;
        p.extraParameters = row.extraParameters;
        const bool microsoft = kind == LoginKind::Microsoft;
        p.clientId = microsoft ? s.microsoftId : s.googleId;
        p.clientSecret = microsoft ? s.microsoftSecret : s.googleSecret;
        if (p.clientId.empty()) return lacking(microsoft ? "the client id in [oauth] microsoft-id" : "the client id in [oauth] google-id");
        if (row.needsSecret && p.clientSecret.empty()) return lacking("the client secret in [oauth] google-secret");
        return p;
    }
    return lacking("a provider");
}

std::string base64Url(std::span<const std::uint8_t> bytes) {
    std::string out;
    out.reserve((bytes.size() * 4 + 2) / 3);
    std::size_t i = 0;
    for (; i + 3 <= bytes.size(); i += 3) {
        std::uint32_t group = std::uint32_t{bytes[i]} << 16 | std::uint32_t{bytes[i + 1]} << 8 | bytes[i + 2];
        for (int shift : {18, 12, 6, 0}) out += kUrlAlphabet[group >> shift & 63];
    }
    if (std::size_t rest = bytes.size() - i; rest > 0) {
        std::uint32_t group = std::uint32_t{bytes[i]} << 16 | (rest == 2 ? std::uint32_t{bytes[i + 1]} << 8 : 0);
        out += kUrlAlphabet[group >> 18 & 63];
        out += kUrlAlphabet[group >> 12 & 63];
        if (rest == 2) out += kUrlAlphabet[group >> 6 & 63];
    }
    return out;
}

std::optional<std::string> decodeBase64Url(std::string_view text) {
    while (!text.empty() && text.back() == '=') text.remove_suffix(1);
    std::string out;
    out.reserve(text.size() * 3 / 4);
    std::uint32_t bits = 0;
    int held = 0;
    for (char c : text) {
        int value = urlValue(c);
        if (value < 0) return std::nullopt;
        bits = bits << 6 | static_cast<std::uint32_t>(value);
        if (++held == 4) {
            out += static_cast<char>(bits >> 16 & 255);
            out += static_cast<char>(bits >> 8 & 255);
            out += static_cast<char>(bits & 255);
            bits = 0;
            held = 0;
        }
    }
    if (held == 1) return std::nullopt;
    if (held >= 2) out += static_cast<char>(bits >> (held == 2 ? 4 : 10) & 255);
    if (held == 3) out += static_cast<char>(bits >> 2 & 255);
    return out;
}

std::string codeChallenge(std::span<const std::uint8_t, 32> verifierDigest) { return base64Url(verifierDigest); }

namespace {
// Appends text form-encoded; out has room reserved, so that a secret is
// never left behind in a buffer given up on growth.
void appendFormEncoded(std::string& out, std::string_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (std::isalnum(u) || c == '-' || c == '.' || c == '_' || c == '~') {
            out += c;
        } else {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        }
    }
}
}  // namespace

std::string formEncode(std::string_view text) {
    std::string out;
    out.reserve(text.size() * 3);
    appendFormEncoded(out, text);
    return out;
}

std::string formDecode(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '+') {
            out += ' ';
        } else if (text[i] == '%' && i + 2 < text.size() && hexValue(text[i + 1]) >= 0 && hexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(text[i + 1]) * 16 + hexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::string formBody(std::span<const std::pair<std::string_view, std::string_view>> fields) {
    std::size_t most = 0;
    for (const auto& [name, value] : fields) most += (name.size() + value.size()) * 3 + 2;
    std::string body;
    body.reserve(most);
    for (const auto& [name, value] : fields) {
        if (!body.empty()) body += '&';
        appendFormEncoded(body, name);
        body += '=';
        appendFormEncoded(body, value);
    }
    return body;
}

std::string loopbackRedirect(int port) { return "http://127.0.0.1:" + std::to_string(port) + "/"; }

std::string authorizationAddress(const Provider& p, const AuthorizationRequest& r) {
    std::vector<std::pair<std::string_view, std::string_view>> fields = {
        {"response_type", "code"}, {"client_id", p.clientId},  {"redirect_uri", r.redirect},
        {"scope", p.scope},        {"state", r.state},         {"code_challenge", r.challenge},
        {"code_challenge_method", "S256"}};
    if (!r.loginHint.empty()) fields.push_back({"login_hint", r.loginHint});
    const char joint = p.authorize.find('?') == std::string::npos ? '?' : '&';
    return p.authorize + joint + formBody(fields) + p.extraParameters;
}

RedirectRequest parseRedirectRequest(std::string_view line) {
    RedirectRequest r;
    if (line.substr(0, 4) != "GET ") return r;
    std::string_view target = line.substr(4);
    target = target.substr(0, target.find(' '));
    const std::size_t question = target.find('?');
    if (question == std::string_view::npos) return r;
    std::string_view query = target.substr(question + 1);
    query = query.substr(0, query.find('#'));
    while (!query.empty()) {
        const std::size_t amp = query.find('&');
        const std::string_view pair = query.substr(0, amp);
        const std::size_t eq = pair.find('=');
        const std::string name = formDecode(pair.substr(0, eq));
        std::string value = eq == std::string_view::npos ? "" : formDecode(pair.substr(eq + 1));
        if (name == "code") r.code = std::move(value);
        if (name == "state") r.state = std::move(value);
        if (name == "error") r.error = std::move(value);
        if (name == "error_description") r.errorDescription = std::move(value);
        query = amp == std::string_view::npos ? std::string_view() : query.substr(amp + 1);
    }
    r.isRedirect = !r.code.empty() || !r.error.empty();
    return r;
}

TokenAnswer::~TokenAnswer() {
    wipe(accessToken);
    wipe(refreshToken);
}

TokenAnswer parseTokenAnswer(std::string_view body) {
    TokenAnswer a;
    Json parsed = Json::parse(body.begin(), body.end(), nullptr, false);
    if (!parsed.is_object()) {
        a.error = "invalid_response";
        return a;
    }
    a.accessToken = member(parsed, "access_token");
    a.refreshToken = member(parsed, "refresh_token");
    a.expiresIn = number(parsed, "expires_in", 0);
    a.error = member(parsed, "error");
    a.errorDescription = member(parsed, "error_description");
    std::string idToken = member(parsed, "id_token");
    a.account = identityAccount(idToken);
    // The parsed copy holds the tokens too.
    for (const char* name : {"access_token", "refresh_token", "id_token"})
        if (auto at = parsed.find(name); at != parsed.end() && at->is_string()) wipe(at->get_ref<std::string&>());
    wipe(idToken);
    if (a.error.empty() && a.accessToken.empty()) a.error = "invalid_response";
    return a;
}

DeviceAnswer parseDeviceAnswer(std::string_view body) {
    DeviceAnswer a;
    const Json parsed = parseObject(body);
    a.deviceCode = member(parsed, "device_code");
    a.userCode = member(parsed, "user_code");
    a.verificationAddress = member(parsed, "verification_uri");
    if (a.verificationAddress.empty()) a.verificationAddress = member(parsed, "verification_url");
    a.interval = number(parsed, "interval", 5);
    if (a.interval < 1) a.interval = 1;
    a.expiresIn = number(parsed, "expires_in", 900);
    a.error = member(parsed, "error");
    a.errorDescription = member(parsed, "error_description");
    if (a.error.empty() && (a.deviceCode.empty() || a.userCode.empty() || a.verificationAddress.empty()))
        a.error = "invalid_response";
    return a;
}

std::int64_t tokenExpiry(std::int64_t now, std::int64_t expiresIn) {
    return now + (expiresIn > 0 ? expiresIn : kDefaultTokenSeconds);
}

bool tokenNeedsRenewal(std::int64_t now, std::int64_t expiry) { return now + kRenewBeforeSeconds >= expiry; }

std::string signInAgainText(LoginKind kind, std::string_view user, std::string_view page) {
    return "The sign-in with " + loginKindTitle(kind) + " for " + std::string(user) +
           " has ended: sign in again on the " + std::string(page) + " page";
}

std::string providerRefusalText(LoginKind kind, std::string_view error, std::string_view description) {
    std::string text = "Sign-in with " + loginKindTitle(kind) + " refused: " + std::string(error);
    // A provider's description may run to several lines of trace numbers.
    constexpr std::size_t kShownMost = 200;
    if (!description.empty()) text += " (" + std::string(description.substr(0, kShownMost)) + ")";
    return text;
}

}  // namespace util
