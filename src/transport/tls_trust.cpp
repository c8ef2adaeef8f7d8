#include "transport/tls_trust.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

#include "frame/profile.h"
#include "transport/tls_rules.h"

namespace util {
namespace {

// crypt32's functions, found when first needed.
struct Crypt {
    bool tried;
    bool found;
    decltype(&CertGetCertificateChain) getChain;
    decltype(&CertVerifyCertificateChainPolicy) verifyPolicy;
    decltype(&CertFreeCertificateChain) freeChain;
    decltype(&CertOpenSystemStoreA) openSystemStore;
    decltype(&CertFindCertificateInStore) findInStore;
    decltype(&CertFreeCertificateContext) freeCertificate;
    decltype(&CertCloseStore) closeStore;
    decltype(&CertVerifyTimeValidity) verifyTime;
    decltype(&CryptHashCertificate) hashCertificate;
};
constinit Crypt crypt{};

// A list of certificates' revocation may be fetched from its publisher;
// a publisher that does not answer costs at most this long.
constexpr DWORD kRevocationFetchMs = 15000;

constexpr ALG_ID kSha256 = 0x0000800C;  // CALG_SHA_256, named only for newer systems

constexpr DWORD kIgnoreRevocation = 0x00000080;      // SECURITY_FLAG_IGNORE_REVOCATION
constexpr DWORD kIgnoreUnknownAuthority = 0x00000100;  // SECURITY_FLAG_IGNORE_UNKNOWN_CA
constexpr DWORD kIgnoreWrongUsage = 0x00000200;      // SECURITY_FLAG_IGNORE_WRONG_USAGE
constexpr DWORD kIgnoreDates = 0x00002000;           // SECURITY_FLAG_IGNORE_CERT_DATE_INVALID

template <class Function>
bool find(HMODULE module, const char* name, Function& function) {
    function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    return function != nullptr;
}

bool loadCrypt() {
    if (!crypt.tried) {
        crypt.tried = true;
        HMODULE m = LoadLibraryA("crypt32.dll");
        crypt.found = find(m, "CertGetCertificateChain", crypt.getChain) &&
                      find(m, "CertVerifyCertificateChainPolicy", crypt.verifyPolicy) &&
                      find(m, "CertFreeCertificateChain", crypt.freeChain) &&
                      find(m, "CertOpenSystemStoreA", crypt.openSystemStore) &&
                      find(m, "CertFindCertificateInStore", crypt.findInStore) &&
                      find(m, "CertFreeCertificateContext", crypt.freeCertificate) &&
                      find(m, "CertCloseStore", crypt.closeStore) &&
                      find(m, "CertVerifyTimeValidity", crypt.verifyTime) &&
                      find(m, "CryptHashCertificate", crypt.hashCertificate);
    }
    return crypt.found;
}

std::string fingerprintOf(PCCERT_CONTEXT certificate) {
    std::uint8_t digest[32];
    DWORD size = sizeof digest;
    if (!crypt.hashCertificate(0, kSha256, 0, certificate->pbCertEncoded, certificate->cbCertEncoded, digest,
                               &size) ||
        size != sizeof digest)
        return "";
    return fingerprintText(digest);
}

std::wstring wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 0) return L"";
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

// The chain of certificate as the platform builds it, checking revocation
// of every certificate but the root where it can; null when none.
PCCERT_CHAIN_CONTEXT chainOf(PCCERT_CONTEXT certificate, bool revocation) {
    LPSTR serverUse[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA wanted{};
    wanted.cbSize = sizeof wanted;
    wanted.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    wanted.RequestedUsage.Usage.cUsageIdentifier = 1;
    wanted.RequestedUsage.Usage.rgpszUsageIdentifier = serverUse;
    wanted.dwUrlRetrievalTimeout = kRevocationFetchMs;
    DWORD flags = revocation ? CERT_CHAIN_REVOCATION_CHECK_CHAIN_EXCLUDE_ROOT : 0;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    if (!crypt.getChain(nullptr, certificate, nullptr, certificate->hCertStore, &wanted, flags, nullptr, &chain))
        return nullptr;
    return chain;
}

// A chain policy's error: 0 when the policy holds.
std::uint32_t policyError(LPCSTR policy, PCCERT_CHAIN_CONTEXT chain, void* extra) {
    CERT_CHAIN_POLICY_PARA para{};
    para.cbSize = sizeof para;
    para.dwFlags = CERT_CHAIN_POLICY_IGNORE_ALL_REV_UNKNOWN_FLAGS;
    para.pvExtraPolicyPara = extra;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    // The verdict is in the status; the result only says whether the check ran.
    if (!crypt.verifyPolicy(policy, chain, &para, &status)) return kCertChaining;
    return status.dwError;
}

// The SSL policy's error for host, the faults named by ignored left out.
std::uint32_t sslError(PCCERT_CHAIN_CONTEXT chain, const char* host, DWORD ignored) {
    std::wstring name = wide(host);
    HTTPSPolicyCallbackData extra{};
    extra.cbStruct = sizeof extra;
    extra.dwAuthType = AUTHTYPE_SERVER;
    extra.fdwChecks = ignored;
    extra.pwszServerName = name.data();
    return policyError(CERT_CHAIN_POLICY_SSL, chain, &extra);
}

// Whether certificate is in a trusted root store.
bool trustedRoot(PCCERT_CONTEXT certificate) {
    HCERTSTORE roots = crypt.openSystemStore(0, "Root");
    if (!roots) return false;
    PCCERT_CONTEXT found =
        crypt.findInStore(roots, X509_ASN_ENCODING | PKCS_7_ASN_ENCODING, 0, CERT_FIND_EXISTING, certificate, nullptr);
    if (found) crypt.freeCertificate(found);
    crypt.closeStore(roots, 0);
    return found != nullptr;
}

std::string judgePinned(PCCERT_CONTEXT certificate, const char* host, const std::string& fingerprint,
                        const std::vector<std::string>& pins) {
    if (fingerprint.empty() || std::find(pins.begin(), pins.end(), fingerprint) == pins.end())
        return std::string(kReasonPinMismatch);
    if (crypt.verifyTime(nullptr, certificate->pCertInfo) != 0) return certificateReason(kCertExpired);
    // Only the name is left to the policy: the issuer does not count for a
    // pinned certificate, the dates were checked above.
    PCCERT_CHAIN_CONTEXT chain = chainOf(certificate, false);
    if (!chain) return certificateReason(kCertChaining);
    std::uint32_t error = sslError(chain, host, kIgnoreUnknownAuthority | kIgnoreDates | kIgnoreRevocation);
    crypt.freeChain(chain);
    if (error == kCertUntrustedRoot || error == kCertChaining) error = 0;
    return error == 0 ? "" : certificateReason(error);
}

std::string judgeChain(PCCERT_CONTEXT certificate, const char* host) {
    PCCERT_CHAIN_CONTEXT chain = chainOf(certificate, true);
    if (!chain) return certificateReason(kCertChaining);
    std::string refusal = chainFaultReason(chain->TrustStatus.dwErrorStatus);
    if (refusal.empty()) {
        const CERT_SIMPLE_CHAIN* simple = chain->cChain > 0 ? chain->rgpChain[0] : nullptr;
        const CERT_CHAIN_ELEMENT* last =
            simple && simple->cElement > 0 ? simple->rgpElement[simple->cElement - 1] : nullptr;
        if (!last || !(last->TrustStatus.dwInfoStatus & CERT_TRUST_IS_SELF_SIGNED) ||
            !trustedRoot(last->pCertContext))
            refusal = std::string(kReasonNoTrustedRoot);
    }
    if (refusal.empty()) {
        std::uint32_t error = policyError(CERT_CHAIN_POLICY_BASIC_CONSTRAINTS, chain, nullptr);
        if (error == 0) error = sslError(chain, host, kIgnoreRevocation);
        if (error != 0) refusal = certificateReason(error);
    }
    crypt.freeChain(chain);
    return refusal;
}

}  // namespace

TrustVerdict judgeCertificate(PCCERT_CONTEXT certificate, const char* host) {
    TrustVerdict verdict;
    if (!certificate) {
        verdict.refusal = "the server sent no certificate";
        return verdict;
    }
    if (!loadCrypt()) {
        verdict.refusal = "certificates cannot be checked on this system";
        return verdict;
    }
    verdict.fingerprint = fingerprintOf(certificate);
    std::optional<std::vector<std::string>> pins = pinnedFingerprints(read(cfg::kTlsPin), host);
    verdict.refusal = pins ? judgePinned(certificate, host, verdict.fingerprint, *pins) : judgeChain(certificate, host);
    return verdict;
}

void releaseCertificate(PCCERT_CONTEXT certificate) {
    if (certificate && loadCrypt()) crypt.freeCertificate(certificate);
}

}  // namespace util
