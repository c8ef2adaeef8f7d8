// The rules of encrypted connections to the provider, apart from the
// platform's TLS itself: which mode a connection uses, which certificate
// faults refuse it, the certificates the administrator pins, and the texts
// that say why a connection was refused.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

// The mode a stored choice asks for: 1 TLS, 2 STARTTLS, anything else none
// (a record written before the choice existed reads 0, and so keeps
// working as before).
TlsMode storedTlsMode(int stored);

// The stronger of two modes: any encryption over none, and TLS from the
// first byte over the upgrade (nothing at all goes in plain text).
TlsMode strongerTlsMode(TlsMode a, TlsMode b);

// The mode a connection uses: the one its port fixes, otherwise the stored
// choice.
TlsMode connectionTlsMode(MailService service, int port, int stored);

// A record of the Incoming or Outgoing page as far as encryption goes: its
// server, its port (0 when the default) and its stored choice.
struct TlsRecord {
    std::string host;
    int port;
    int stored;
};

// The mode of a connection to host and port (0: the service's default
// port): what its port fixes, otherwise the strongest choice among the
// records for that server (host without regard to case) and port, whoever
// the user. The choice stored for a server holds for every connection to
// it, so a second record of it or a user name in another case never turns
// encryption off.
TlsMode recordedTlsMode(MailService service, const std::vector<TlsRecord>& records, std::string_view host, int port);

// The certificate check's verdict as a reason. The chain's own faults
// come first (the platform reports them as bits of the chain's trust
// status), then the policies' errors (a status code such as 0x800B010F).
inline constexpr std::uint32_t kCertUntrustedRoot = 0x800B0109;  // issuer not trusted (self-signed too)
inline constexpr std::uint32_t kCertWrongHost = 0x800B010F;      // issued for another name
inline constexpr std::uint32_t kCertExpired = 0x800B0101;
inline constexpr std::uint32_t kCertRevoked = 0x800B010C;
inline constexpr std::uint32_t kCertChaining = 0x800B010A;       // an issuer is missing
inline constexpr std::uint32_t kCertWrongUsage = 0x800B0110;     // not a server's certificate
inline constexpr std::uint32_t kCertBasicConstraints = 0x80096019;  // an issuer is no authority

// Bits of a chain's trust status (its error status).
inline constexpr std::uint32_t kChainNotTimeValid = 0x1;
inline constexpr std::uint32_t kChainRevoked = 0x4;
inline constexpr std::uint32_t kChainBadSignature = 0x8;
inline constexpr std::uint32_t kChainWrongUsage = 0x10;
inline constexpr std::uint32_t kChainUntrustedRoot = 0x20;
inline constexpr std::uint32_t kChainRevocationUnknown = 0x40;
inline constexpr std::uint32_t kChainBasicConstraints = 0x400;
inline constexpr std::uint32_t kChainPartial = 0x10000;
inline constexpr std::uint32_t kChainRevocationOffline = 0x1000000;

// Why a chain with this trust status is refused, or "" when it is
// accepted: every fault bit refuses it, except that revocation could not
// be checked (no list to ask, or the list could not be had): a status
// that is not known is not a refusal, a certificate known to be revoked is.
std::string chainFaultReason(std::uint32_t errorStatus);

// Why a certificate was refused, for a policy's error.
std::string certificateReason(std::uint32_t verdict);

// The reasons that are not the platform's errors.
inline constexpr std::string_view kReasonNoTrustedRoot = "it is not issued by a trusted authority";
inline constexpr std::string_view kReasonPinMismatch = "it is not the certificate pinned for this host in ms.ini";

// "Certificate of HOST refused: REASON": the status text and event line
// of a refused certificate.
std::string certificateRefusedText(std::string_view host, std::string_view reason);

// The event line that follows a refusal, with the fingerprint an
// administrator checks before pinning the certificate.
std::string certificateFingerprintText(std::string_view host, std::string_view fingerprint);

// "TLS failed with HOST: REASON": any other failure to encrypt.
std::string tlsFailedText(std::string_view host, std::string_view reason);

// A certificate's SHA-256 fingerprint as administrators see it: 32 bytes
// as upper-case hex pairs joined by ":".
std::string fingerprintText(const std::uint8_t (&digest)[32]);

// The fingerprints pinned for host in the [tls] pin value, a list of
// "HOST FINGERPRINT" entries separated by commas (hosts without regard to
// case; a fingerprint as hex digits, pairs joined by ":" or not, any case).
// None when no entry names host; the fingerprints are in the form of
// fingerprintText. An entry whose fingerprint is not one still pins its
// host, so a mistyped pin refuses the host rather than trust it.
std::optional<std::vector<std::string>> pinnedFingerprints(std::string_view pins, std::string_view host);

// A status code in the platform's form, "0x80090308".
std::string errorCode(std::uint32_t code);

}  // namespace util
