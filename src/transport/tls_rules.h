// The rules of encrypted connections to the provider, apart from the
// platform's TLS itself: which mode a connection uses, whose untrusted
// certificate the administrator accepts, and the texts that say why a
// connection was refused.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace util {

// How a connection is encrypted. The numbers are the values stored in
// ms.ini and the order of the pages' choice "None / TLS / STARTTLS".
enum class TlsMode : int {
    None = 0,      // plain text
    Implicit = 1,  // TLS from the first byte
    StartTls = 2,  // plain greeting, then the upgrade (POP3 "STLS", SMTP "STARTTLS")
};
inline constexpr int kTlsModeCount = 3;
// The choice as the Incoming and Outgoing pages (and the setup wizard) offer it.
inline constexpr const char* kTlsChoiceNames[kTlsModeCount] = {"None", "TLS", "STARTTLS"};

enum class MailService { Pop3, Smtp };

// The mode a port fixes by convention: 995 (POP3) and 465 (SMTP) are TLS
// from the first byte, 587 (SMTP) requires STARTTLS; other ports fix none.
TlsMode portTlsMode(MailService service, int port);

// The mode a connection uses: the one its port fixes, otherwise the stored
// choice (a value other than 1 or 2 is None). A record written before the
// choice existed reads 0, and so keeps working as before.
TlsMode connectionTlsMode(MailService service, int port, int stored);

// Whether the allowance for untrusted certificates names host: the value
// lists host names separated by commas or blanks, matched without regard
// to case. An empty value names none.
bool untrustedAllowedFor(std::string_view allowed, std::string_view host);

// Verdicts of the platform's certificate check (the chain policy's error).
inline constexpr std::uint32_t kCertUntrustedRoot = 0x800B0109;  // issuer not trusted (self-signed too)
inline constexpr std::uint32_t kCertWrongHost = 0x800B010F;      // issued for another name
inline constexpr std::uint32_t kCertExpired = 0x800B0101;
inline constexpr std::uint32_t kCertRevoked = 0x800B010C;
inline constexpr std::uint32_t kCertChaining = 0x800B010A;       // an issuer is missing
inline constexpr std::uint32_t kCertWrongUsage = 0x800B0110;     // not a server's certificate

// Why a certificate was refused, in words.
std::string certificateReason(std::uint32_t verdict);

// "Certificate of HOST refused: REASON": the status text and event line
// of a refused certificate.
std::string certificateRefusedText(std::string_view host, std::uint32_t verdict);

// "TLS failed with HOST: REASON": any other failure to encrypt.
std::string tlsFailedText(std::string_view host, std::string_view reason);

// The warning logged for each connection whose untrusted certificate the
// allowance accepted.
std::string untrustedAcceptedText(std::string_view host);

// A status code in the platform's form, "0x80090308".
std::string errorCode(std::uint32_t code);

}  // namespace util
