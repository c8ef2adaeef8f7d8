#include "transport/tls_rules.h"

#include <cstdio>

#include "accounts/account_rules.h"

namespace util {
namespace {

bool separator(char c) { return c == ',' || c == ' ' || c == '\t'; }

}  // namespace

TlsMode portTlsMode(MailService service, int port) {
    if (service == MailService::Pop3) return port == 995 ? TlsMode::Implicit : TlsMode::None;
    if (port == 465) return TlsMode::Implicit;
    return port == 587 ? TlsMode::StartTls : TlsMode::None;
}

TlsMode connectionTlsMode(MailService service, int port, int stored) {
    TlsMode fixed = portTlsMode(service, port);
    if (fixed != TlsMode::None) return fixed;
    return stored == 1 ? TlsMode::Implicit : stored == 2 ? TlsMode::StartTls : TlsMode::None;
}

bool untrustedAllowedFor(std::string_view allowed, std::string_view host) {
    if (host.empty()) return false;
    std::size_t i = 0;
    while (i < allowed.size()) {
        while (i < allowed.size() && separator(allowed[i])) ++i;
        std::size_t start = i;
        while (i < allowed.size() && !separator(allowed[i])) ++i;
        if (i > start && equalsIgnoringCase(allowed.substr(start, i - start), host)) return true;
    }
    return false;
}

std::string errorCode(std::uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

std::string certificateReason(std::uint32_t verdict) {
    switch (verdict) {
    case kCertUntrustedRoot:
        return "it is not issued by a trusted authority";
    case kCertWrongHost:
        return "it is issued for another host name";
    case kCertExpired:
        return "it has expired or is not valid yet";
    case kCertRevoked:
        return "it has been revoked";
    case kCertChaining:
        return "its chain of issuers is incomplete";
    case kCertWrongUsage:
        return "it is not meant for a server";
    default:
        return "it is not valid (error " + errorCode(verdict) + ")";
    }
}

std::string certificateRefusedText(std::string_view host, std::uint32_t verdict) {
    return "Certificate of " + std::string(host) + " refused: " + certificateReason(verdict);
}

std::string tlsFailedText(std::string_view host, std::string_view reason) {
    return "TLS failed with " + std::string(host) + ": " + std::string(reason);
}

std::string untrustedAcceptedText(std::string_view host) {
    return "Warning: the untrusted certificate of " + std::string(host) + " is accepted (allowed in ms.ini)";
}

}  // namespace util
