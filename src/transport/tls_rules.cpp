#include "transport/tls_rules.h"

#include <cstdio>

#include "frame/ascii_case.h"
#include "frame/settings.h"

namespace util {
namespace {

bool blank(char c) { return c == ' ' || c == '\t'; }

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// A fingerprint as written in a pin, in the form of fingerprintText; none
// when it is not 32 bytes of hex (pairs may be joined by ":").
std::optional<std::string> pinFingerprint(std::string_view text) {
    std::uint8_t digest[32];
    std::size_t bytes = 0;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == ':') {
            ++i;
            continue;
        }
        if (i + 1 >= text.size() || bytes == sizeof digest) return std::nullopt;
        int high = hexValue(text[i]), low = hexValue(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        digest[bytes++] = static_cast<std::uint8_t>(high * 16 + low);
        i += 2;
    }
    if (bytes != sizeof digest) return std::nullopt;
    return fingerprintText(digest);
}

}  // namespace

TlsMode portTlsMode(MailService service, int port) {
    if (service == MailService::Pop3) return port == 995 ? TlsMode::Implicit : TlsMode::None;
    if (port == 465) return TlsMode::Implicit;
    return port == 587 ? TlsMode::StartTls : TlsMode::None;
}

TlsMode storedTlsMode(int stored) {
    return stored == 1 ? TlsMode::Implicit : stored == 2 ? TlsMode::StartTls : TlsMode::None;
}

TlsMode strongerTlsMode(TlsMode a, TlsMode b) {
    auto strength = [](TlsMode m) { return m == TlsMode::Implicit ? 2 : m == TlsMode::StartTls ? 1 : 0; };
    return strength(a) >= strength(b) ? a : b;
}

TlsMode connectionTlsMode(MailService service, int port, int stored) {
    TlsMode fixed = portTlsMode(service, port);
    return fixed != TlsMode::None ? fixed : storedTlsMode(stored);
}

TlsMode recordedTlsMode(MailService service, const std::vector<TlsRecord>& records, std::string_view host, int port) {
    const int defaultPort = service == MailService::Pop3 ? cfg::kPop3Port : cfg::kSmtpPort;
    auto effective = [&](int p) { return p > 0 ? p : defaultPort; };
    TlsMode mode = portTlsMode(service, effective(port));
    if (mode != TlsMode::None) return mode;
    for (const TlsRecord& r : records)
        if (effective(r.port) == effective(port) && equalsIgnoringCase(r.host, host))
            mode = strongerTlsMode(mode, storedTlsMode(r.stored));
    return mode;
}

std::string chainFaultReason(std::uint32_t errorStatus) {
    const std::uint32_t faults = errorStatus & ~(kChainRevocationUnknown | kChainRevocationOffline);
    if (faults == 0) return "";
    // The most telling fault first: one certificate may have several.
    struct Fault {
        std::uint32_t bit;
        std::string_view reason;
    };
    static constexpr Fault kFaults[] = {
        {kChainRevoked, "it has been revoked"},
        {kChainPartial, "its chain of issuers is incomplete"},
        {kChainUntrustedRoot, kReasonNoTrustedRoot},
        {kChainBasicConstraints, "it is issued by a certificate that is not an authority"},
        {kChainNotTimeValid, "it has expired or is not valid yet"},
        {kChainBadSignature, "its signature is not valid"},
        {kChainWrongUsage, "it is not meant for a server"},
    };
    for (const Fault& f : kFaults)
        if (faults & f.bit) return std::string(f.reason);
    return "its chain is not valid (trust status " + errorCode(faults) + ")";
}

std::string errorCode(std::uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(code));
    return text;
}

std::string certificateReason(std::uint32_t verdict) {
    switch (verdict) {
    case kCertUntrustedRoot:
        return std::string(kReasonNoTrustedRoot);
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
    case kCertBasicConstraints:
        return "it is issued by a certificate that is not an authority";
    default:
        return "it is not valid (error " + errorCode(verdict) + ")";
    }
}

std::string certificateRefusedText(std::string_view host, std::string_view reason) {
    return "Certificate of " + std::string(host) + " refused: " + std::string(reason);
}

std::string certificateFingerprintText(std::string_view host, std::string_view fingerprint) {
    return "Certificate of " + std::string(host) + " has the SHA-256 fingerprint " + std::string(fingerprint);
}

std::string tlsFailedText(std::string_view host, std::string_view reason) {
    return "TLS failed with " + std::string(host) + ": " + std::string(reason);
}

std::string fingerprintText(const std::uint8_t (&digest)[32]) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string text;
    text.reserve(32 * 3);
    for (std::uint8_t b : digest) {
        if (!text.empty()) text += ':';
        text += kHex[b >> 4];
        text += kHex[b & 15];
    }
    return text;
}

std::optional<std::vector<std::string>> pinnedFingerprints(std::string_view pins, std::string_view host) {
    std::optional<std::vector<std::string>> found;
    if (host.empty()) return found;
    while (!pins.empty()) {
        std::size_t comma = pins.find(',');
        std::string_view entry = trimmed(pins.substr(0, comma));
        pins = comma == std::string_view::npos ? std::string_view() : pins.substr(comma + 1);
        std::size_t gap = 0;
        while (gap < entry.size() && !blank(entry[gap])) ++gap;
        if (gap == 0 || !equalsIgnoringCase(entry.substr(0, gap), host)) continue;
        if (!found) found.emplace();
        if (std::optional<std::string> fingerprint = pinFingerprint(trimmed(entry.substr(gap))))
            found->push_back(*fingerprint);
    }
    return found;
}

}  // namespace util
