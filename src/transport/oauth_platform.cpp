#include "transport/oauth_platform.h"

#include <windows.h>
#include <wincrypt.h>

#include <vector>

#include "content/base64_decoder.h"
#include "content/base64_string.h"

namespace util {
namespace {

constexpr ALG_ID kSha256 = 0x0000800C;  // CALG_SHA_256, named only for newer systems
constexpr DWORD kProviderAes = 24;       // PROV_RSA_AES: the provider that has SHA-256
constexpr DWORD kLocalMachine = 0x4;     // CRYPTPROTECT_LOCAL_MACHINE
constexpr DWORD kNoInterface = 0x1;      // CRYPTPROTECT_UI_FORBIDDEN

// The cryptographic provider of the process, acquired once.
HCRYPTPROV provider() {
    static HCRYPTPROV handle = [] {
        HCRYPTPROV h = 0;
        if (!CryptAcquireContextA(&h, nullptr, nullptr, kProviderAes, CRYPT_VERIFYCONTEXT | CRYPT_SILENT)) h = 0;
        return h;
    }();
    return handle;
}

// crypt32's protection, found when first needed.
using ProtectFunction = BOOL(WINAPI*)(DATA_BLOB*, LPCWSTR, DATA_BLOB*, PVOID, PVOID, DWORD, DATA_BLOB*);
using UnprotectFunction = BOOL(WINAPI*)(DATA_BLOB*, LPWSTR*, DATA_BLOB*, PVOID, PVOID, DWORD, DATA_BLOB*);
struct Protection {
    ProtectFunction protect;
    UnprotectFunction unprotect;
};
const Protection& protection() {
    static Protection p = [] {
        Protection found{};
        if (HMODULE m = LoadLibraryA("crypt32.dll")) {
            found.protect = reinterpret_cast<ProtectFunction>(reinterpret_cast<void*>(GetProcAddress(m, "CryptProtectData")));
            found.unprotect =
                reinterpret_cast<UnprotectFunction>(reinterpret_cast<void*>(GetProcAddress(m, "CryptUnprotectData")));
        }
        return found;
    }();
    return p;
}

// The blob's bytes as the system gave them, then freed (wiped first).
void release(DATA_BLOB& blob) {
    if (!blob.pbData) return;
    wipe(blob.pbData, blob.cbData);
    LocalFree(blob.pbData);
    blob.pbData = nullptr;
}

}  // namespace

bool randomBytes(std::span<std::uint8_t> bytes) {
    HCRYPTPROV h = provider();
    return h && CryptGenRandom(h, static_cast<DWORD>(bytes.size()), bytes.data());
}

std::optional<std::array<std::uint8_t, 32>> sha256(std::string_view text) {
    HCRYPTPROV h = provider();
    HCRYPTHASH hash = 0;
    if (!h || !CryptCreateHash(h, kSha256, 0, 0, &hash)) return std::nullopt;
    std::array<std::uint8_t, 32> digest{};
    DWORD size = static_cast<DWORD>(digest.size());
    bool ok = CryptHashData(hash, reinterpret_cast<const BYTE*>(text.data()), static_cast<DWORD>(text.size()), 0) &&
              CryptGetHashParam(hash, HP_HASHVAL, digest.data(), &size, 0) && size == digest.size();
    CryptDestroyHash(hash);
    if (!ok) return std::nullopt;
    return digest;
}

std::string protectForMachine(std::string_view secret) {
    if (!protection().protect || secret.empty()) return "";
    SecretText copy(secret.size());
    copy.text() = secret;
    DATA_BLOB in{static_cast<DWORD>(copy.text().size()), reinterpret_cast<BYTE*>(copy.text().data())};
    DATA_BLOB out{};
    if (!protection().protect(&in, L"mail sign-in", nullptr, nullptr, nullptr, kLocalMachine | kNoInterface, &out))
        return "";
    std::string stored = encodeBase64String(std::string_view(reinterpret_cast<const char*>(out.pbData), out.cbData));
    release(out);
    return stored;
}

bool unprotect(std::string_view stored, SecretText& secret) {
    secret.text().clear();
    if (!protection().unprotect || stored.empty()) return false;
    std::vector<char> bytes(Base64Decoder::maxBytes(stored.size()));
    Base64Decoder decoder;
    char* end = decoder.finish(decoder.more(stored, bytes.data()));
    DATA_BLOB in{static_cast<DWORD>(end - bytes.data()), reinterpret_cast<BYTE*>(bytes.data())};
    DATA_BLOB out{};
    if (!protection().unprotect(&in, nullptr, nullptr, nullptr, nullptr, kNoInterface, &out)) return false;
    secret.text().assign(reinterpret_cast<const char*>(out.pbData), out.cbData);
    release(out);
    return !secret.text().empty();
}

}  // namespace util
