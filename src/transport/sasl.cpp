#include "transport/sasl.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <cctype>

#include "content/base64_decoder.h"
#include "content/base64_string.h"
#include "frame/ascii_case.h"
#include "frame/secret.h"

namespace util {
namespace {

bool offers(const std::vector<std::string>& offered, std::string_view name) {
    return std::find(offered.begin(), offered.end(), name) != offered.end();
}

// The raw text base64-encoded, the raw text wiped.
std::string encoded(SecretText& raw) { return encodeBase64String(raw.text()); }

}  // namespace

std::vector<std::string> offeredMechanisms(std::string_view line) {
    while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
    // An SMTP line begins with its code: "250-" or "250 ".
    if (line.size() >= 4 && std::isdigit(static_cast<unsigned char>(line[0])) && (line[3] == '-' || line[3] == ' '))
        line.remove_prefix(4);
    const std::string head = asciiUppered(line.substr(0, 5));
    std::size_t skip = 0;
    if (head.rfind("SASL ", 0) == 0 || head.rfind("AUTH ", 0) == 0 || head.rfind("AUTH=", 0) == 0)
        skip = 5;
    else
        return {};
    std::vector<std::string> mechanisms;
    std::string_view rest = line.substr(skip);
    while (!rest.empty()) {
        const std::size_t start = rest.find_first_not_of(" \t");
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        const std::size_t end = std::min(rest.find_first_of(" \t"), rest.size());
        mechanisms.push_back(asciiUppered(rest.substr(0, end)));
        rest.remove_prefix(end);
    }
    return mechanisms;
}

SaslMechanism tokenMechanism(const std::vector<std::string>& offered) {
    if (offers(offered, "OAUTHBEARER")) return SaslMechanism::OAuthBearer;
    if (offers(offered, "XOAUTH2")) return SaslMechanism::XOAuth2;
    return SaslMechanism::None;
}

SaslMechanism passwordMechanism(const std::vector<std::string>& offered) {
    return offers(offered, "PLAIN") && !offers(offered, "LOGIN") ? SaslMechanism::Plain : SaslMechanism::Login;
}

std::string_view mechanismName(SaslMechanism mechanism) {
    switch (mechanism) {
    case SaslMechanism::OAuthBearer: return "OAUTHBEARER";
    case SaslMechanism::XOAuth2: return "XOAUTH2";
    case SaslMechanism::Plain: return "PLAIN";
    case SaslMechanism::Login: return "LOGIN";
    case SaslMechanism::None: break;
    }
    return "";
}

std::string xoauth2Response(std::string_view user, std::string_view token) {
    SecretText raw(user.size() + token.size() + 32);
    raw.text() = "user=";
    raw.text() += user;
    raw.text() += "\x01" "auth=Bearer ";
    raw.text() += token;
    raw.text() += "\x01\x01";
    return encoded(raw);
}

std::string oauthBearerResponse(std::string_view user, std::string_view host, int port, std::string_view token) {
    SecretText raw(user.size() * 3 + host.size() + token.size() + 64);
    raw.text() = "n,a=";
    for (char c : user) {
        if (c == ',')
            raw.text() += "=2C";
        else if (c == '=')
            raw.text() += "=3D";
        else
            raw.text() += c;
    }
    raw.text() += ",\x01" "host=";
    raw.text() += host;
    raw.text() += "\x01" "port=" + std::to_string(port);
    raw.text() += "\x01" "auth=Bearer ";
    raw.text() += token;
    raw.text() += "\x01\x01";
    return encoded(raw);
}

std::string plainResponse(std::string_view user, std::string_view password) {
    SecretText raw(user.size() + password.size() + 2);
    raw.text() += '\0';
    raw.text() += user;
    raw.text() += '\0';
    raw.text() += password;
    return encoded(raw);
}

std::string_view errorChallengeAnswer(SaslMechanism mechanism) {
    return mechanism == SaslMechanism::OAuthBearer ? "AQ==" : "";
}

std::string challengeStatus(std::string_view base64Challenge) {
    std::string bytes(Base64Decoder::maxBytes(base64Challenge.size()), '\0');
    Base64Decoder decoder;
    char* end = decoder.more(base64Challenge, bytes.data());
    end = decoder.finish(end);
    bytes.resize(static_cast<std::size_t>(end - bytes.data()));
    const nlohmann::json parsed = nlohmann::json::parse(bytes, nullptr, false);
    if (!parsed.is_object()) return "";
    auto status = parsed.find("status");
    if (status == parsed.end()) return "";
    if (status->is_string()) return status->get<std::string>();
    if (status->is_number_integer()) return std::to_string(status->get<long long>());
    return "";
}

std::string tokenRefusedText(std::string_view host, std::string_view status) {
    std::string text = std::string(host) + " refused the sign-in";
    if (!status.empty()) text += " (" + std::string(status.substr(0, 100)) + ")";
    return text;
}

std::string noTokenMechanismText(std::string_view host) {
    return std::string(host) + " offers no sign-in with a token (SASL XOAUTH2 or OAUTHBEARER)";
}

}  // namespace util
