#include "transport/tls_settings.h"

#include <windows.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "frame/install_folder.h"
#include "frame/profile.h"
#include "frame/secret.h"
#include "transport/smtp_relay.h"

namespace util {
namespace {

// Every line of a section, "key=value", read in one call. A record counts
// wherever it stands: an empty or odd record before it does not hide it.
std::vector<std::string> sectionLines(const char* section) {
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        DWORD n = GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()),
                                            configPath().c_str());
        if (n + 2 < buffer.size()) {
            std::vector<std::string> lines;
            for (const char* p = buffer.data(); *p; p += lines.back().size() + 1) lines.emplace_back(p);
            return lines;
        }
        buffer.resize(buffer.size() * 4);
    }
}

// The values of a numbered key ("node%d") of the lines, by number.
std::map<int, std::string> numbered(const std::vector<std::string>& lines, const char* pattern) {
    std::string_view name(pattern);
    name = name.substr(0, name.find('%'));
    std::map<int, std::string> values;
    for (const std::string& line : lines) {
        std::size_t equals = line.find('=');
        if (equals == std::string::npos || equals <= name.size()) continue;
        if (CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, line.data(), static_cast<int>(name.size()), name.data(),
                           static_cast<int>(name.size())) != CSTR_EQUAL)
            continue;
        std::string digits = line.substr(name.size(), equals - name.size());
        if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 6) continue;
        values[std::atoi(digits.c_str())] = line.substr(equals + 1);
    }
    return values;
}

int number(const std::map<int, std::string>& values, int n, int fallback) {
    auto at = values.find(n);
    return at == values.end() ? fallback : std::atoi(at->second.c_str());
}

}  // namespace

TlsMode pop3ConnectionMode(std::string_view host, int port) {
    std::vector<std::string> lines = sectionLines(cfg::kIncoming);
    std::map<int, std::string> ports = numbered(lines, cfg::kIncomingPort.key);
    std::map<int, std::string> choices = numbered(lines, cfg::kIncomingTls.key);
    std::vector<TlsRecord> records;
    for (const auto& [n, node] : numbered(lines, cfg::kIncomingNode.key))
        records.push_back({node, number(ports, n, cfg::kIncomingPort.fallback), number(choices, n, 0)});
    return recordedTlsMode(MailService::Pop3, records, host, port);
}

TlsMode smtpConnectionMode(std::string_view host, int port) {
    std::vector<std::string> lines = sectionLines(cfg::kOutgoing);
    std::map<int, std::string> choices = numbered(lines, cfg::kOutgoingTls.key);
    std::vector<TlsRecord> records;
    for (const auto& [n, text] : numbered(lines, cfg::kOutgoingServer.key)) {
        RelayRecord relay = parseRelayRecord(text);
        records.push_back({relay.host, relay.port, number(choices, n, 0)});
        wipe(relay.account);
        wipe(relay.password);
    }
    for (std::string& line : lines) wipe(line);
    return recordedTlsMode(MailService::Smtp, records, host, port);
}

}  // namespace util
