#include "transport/tls_settings.h"

#include <string>
#include <vector>

#include "accounts/account_rules.h"
#include "frame/profile.h"

namespace util {
namespace {
constexpr int kDefaultPop3Port = 110;
}  // namespace

TlsMode pop3ConnectionMode(std::string_view host, std::string_view user, int port) {
    if (port == 0) port = kDefaultPop3Port;
    int stored = 0;
    for (int i = 0; i < cfg::kMaxRecords; ++i) {
        std::string node = read(cfg::kIncomingNode, i);
        if (node.empty()) break;
        if (equalsIgnoringCase(node, host) && read(cfg::kIncomingPort, i) == port && read(cfg::kIncomingUser, i) == user) {
            stored = read(cfg::kIncomingTls, i);
            break;
        }
    }
    return connectionTlsMode(MailService::Pop3, port, stored);
}

TlsMode smtpConnectionMode(std::string_view relayRecord, int port) {
    int stored = 0;
    std::vector<std::string> relays = readFamily(cfg::kOutgoingServer);
    for (std::size_t i = 0; i < relays.size(); ++i) {
        if (relays[i] == relayRecord) {
            stored = read(cfg::kOutgoingTls, static_cast<int>(i));
            break;
        }
    }
    return connectionTlsMode(MailService::Smtp, port, stored);
}

}  // namespace util
