#include "transport/tls_settings.h"

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "frame/profile.h"
#include "frame/secret.h"
#include "transport/smtp_relay.h"

namespace util {
namespace {

// The values of a numbered key ("node%d") of a section, by number: every
// record counts wherever it stands, so an empty or odd record before it
// does not hide it.
std::map<int, std::string> numbered(const ProfileLines& section, const char* pattern) {
    std::string_view name(pattern);
    name = name.substr(0, name.find('%'));
    std::map<int, std::string> values;
    for (const ProfileLines::Line& line : section.lines()) {
        if (!line.value || line.key.size() <= name.size() || line.key.size() > name.size() + 6) continue;
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.key.data(), static_cast<int>(name.size()),
                           name.data(), static_cast<int>(name.size())) != CSTR_EQUAL)
            continue;
        std::string digits = line.key.substr(name.size());
        if (digits.find_first_not_of("0123456789") != std::string::npos) continue;
        values.emplace(std::atoi(digits.c_str()), readerText(*line.value, cfg::kValueSize));
    }
    return values;
}

int number(const std::map<int, std::string>& values, int n, int fallback) {
    auto at = values.find(n);
    return at == values.end() ? fallback : std::atoi(at->second.c_str());
}

}  // namespace

TlsMode pop3ConnectionMode(std::string_view host, int port) {
    const ProfileLines lines = readSection(cfg::kIncoming);
    std::map<int, std::string> ports = numbered(lines, cfg::kIncomingPort.key);
    std::map<int, std::string> choices = numbered(lines, cfg::kIncomingTls.key);
    std::vector<TlsRecord> records;
    for (const auto& [n, node] : numbered(lines, cfg::kIncomingNode.key))
        records.push_back({node, number(ports, n, cfg::kIncomingPort.fallback), number(choices, n, 0)});
    return recordedTlsMode(MailService::Pop3, records, host, port);
}

TlsMode smtpConnectionMode(std::string_view host, int port) {
    const ProfileLines lines = readSection(cfg::kOutgoing);
    std::map<int, std::string> choices = numbered(lines, cfg::kOutgoingTls.key);
    std::vector<TlsRecord> records;
    for (const auto& [n, text] : numbered(lines, cfg::kOutgoingServer.key)) {
        RelayRecord relay = parseRelayRecord(text);
        records.push_back({relay.host, relay.port, number(choices, n, 0)});
        wipe(relay.account);
        wipe(relay.password);
    }
    return recordedTlsMode(MailService::Smtp, records, host, port);
}

}  // namespace util
