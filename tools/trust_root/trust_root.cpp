// trust_root CERTIFICATE.der: adds the certificate to the current user's
// "Root" store (kept with the user's settings; under Wine in the prefix).
// A certificate already there is left as it is. Exit code 0 on success.
#include <windows.h>
#include <wincrypt.h>

#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: trust_root CERTIFICATE.der\n");
        return 2;
    }
    std::FILE* file = std::fopen(argv[1], "rb");
    if (!file) {
        std::fprintf(stderr, "trust_root: cannot read %s\n", argv[1]);
        return 1;
    }
    std::vector<BYTE> der;
    int c;
    while ((c = std::fgetc(file)) != EOF) der.push_back(static_cast<BYTE>(c));
    std::fclose(file);

    HCERTSTORE store = CertOpenSystemStoreA(0, "Root");
    if (!store) {
        std::fprintf(stderr, "trust_root: the Root store cannot be opened (%lu)\n", GetLastError());
        return 1;
    }
    BOOL added = CertAddEncodedCertificateToStore(store, X509_ASN_ENCODING, der.data(), static_cast<DWORD>(der.size()),
                                                  CERT_STORE_ADD_USE_EXISTING, nullptr);
    DWORD error = GetLastError();
    CertCloseStore(store, 0);
    if (!added) {
        std::fprintf(stderr, "trust_root: %s not added (%lu)\n", argv[1], error);
        return 1;
    }
    std::printf("trusted: %s\n", argv[1]);
    return 0;
}
