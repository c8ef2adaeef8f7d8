#include "admin/server_checks.h"

namespace admin {
namespace {

bool has(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

Refusal refuse(std::string message, Field field, bool select = false) {
    return Refusal{std::move(message), field, select};
}

}  // namespace

long long portValue(std::string_view text) {
    constexpr long long kCeiling = 1LL << 40;
    long long value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        value = value * 10 + (c - '0');
        if (value > kCeiling) return kCeiling;
    }
    return value;
}

std::optional<Refusal> checkPopEntry(const PopEntry& e) {
    const std::string badServer = std::string("Please enter a pop3 server name eg ") + kExamplePopHost;
    const std::string userText = "Please enter the pop3 user name as supplied by your ISP";
    const std::string passwordText = "Please enter the pop3 password as supplied by your ISP";
    if (e.server.empty())
        return refuse(std::string("Please enter the pop3 server name eg ") + kExamplePopHost, Field::Server);
    if (has(e.server, '@')) return refuse(badServer, Field::Server, true);
    if (has(e.server, ' ')) return refuse(badServer + " (remove space characters)", Field::Server, true);
    if (e.port.empty()) return refuse("Please a pop3 port number (default is 110)...", Field::Port);
    if (portValue(e.port) > 65535) return refuse("Please a valid pop3 port number (default is 110)...", Field::Port);
    if (e.user.empty()) return refuse(userText, Field::User);
    if (has(e.user, ' ')) return refuse(userText + " (remove space characters)", Field::User, true);
    if (e.signsIn) return std::nullopt;
    if (e.password.empty()) return refuse(passwordText, Field::Password);
    if (has(e.password, ' ')) return refuse(passwordText + " (remove space characters)", Field::Password, true);
    return std::nullopt;
}

std::optional<Refusal> checkRelayEntry(const RelayEntry& e) {
    const std::string badHost = std::string("Please enter a gateway name eg ") + kExampleSmtpHost;
    if (e.host.empty()) return refuse("Please enter the outgoing mail gateway...", Field::Server);
    if (has(e.host, '@')) return refuse(badHost, Field::Server, true);
    if (has(e.host, ' ')) return refuse(badHost + " (remove space characters)", Field::Server, true);
    if (e.port.empty()) return refuse("Please a port number (default is 25)...", Field::Port);
    if (portValue(e.port) > 65535) return refuse("Please a valid port number (default is 25)...", Field::Port);
    if (e.changeSender && !e.sender.empty()) {
        const auto& s = e.sender;
        if (!has(s, '@') || !has(s, '.') || has(s, ' ') || has(s, '<') || has(s, '>'))
            return refuse(std::string("Please enter a valid email address eg ") + kExampleAddress, Field::Sender, true);
    }
    if (e.authentication && !e.haveAuthData) return refuse("Please enter authentication data", Field::AuthSettings);
    return std::nullopt;
}

std::optional<std::string> checkSignedIn(bool signsIn, bool signedIn) {
    if (signsIn && !signedIn) return std::string(kSignInFirst);
    return std::nullopt;
}

}  // namespace admin
