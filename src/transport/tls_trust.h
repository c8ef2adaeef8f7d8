// Whether a server's certificate is trusted for a host: the one place
// where that is decided. The platform's TLS under Wine checks nothing by
// itself, and its SSL policy alone lets an incomplete chain through, so
// every rule is asked here explicitly.
#pragma once

#define CERT_CHAIN_PARA_HAS_EXTRA_FIELDS
#include <windows.h>
#include <wincrypt.h>

#include <string>

namespace util {

struct TrustVerdict {
    std::string refusal;      // "" when trusted, else the reason in words
    std::string fingerprint;  // the certificate's SHA-256 (fingerprintText), "" when unknown
};

// A host pinned in ms.ini ([tls] pin) accepts exactly the pinned
// certificates, whose name and dates are still checked. Any other host
// needs a chain without faults (a revocation status that cannot be learnt
// is no fault, a revoked certificate is), whose last certificate signs
// itself and is in a trusted root store, whose issuers are authorities,
// and which the SSL policy accepts for host.
TrustVerdict judgeCertificate(PCCERT_CONTEXT certificate, const char* host);

// Frees a certificate the platform's TLS handed out (null is ignored).
void releaseCertificate(PCCERT_CONTEXT certificate);

}  // namespace util
