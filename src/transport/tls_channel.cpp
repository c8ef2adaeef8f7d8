#include "transport/tls_channel.h"

#define SECURITY_WIN32
#include <windows.h>
#include <wincrypt.h>
#include <schannel.h>
#include <security.h>

#include <cstring>
#include <string>

#include "frame/event_log.h"
#include "frame/profile.h"
#include "transport/socket_io.h"
#include "transport/tls_rules.h"
#include "utilities.h"

namespace util {
namespace {

// The platform's TLS and certificate functions, found when first needed:
// a system that lacks them still loads the library and speaks plain text.
struct Platform {
    bool tried;
    PSecurityFunctionTableA sspi;
    decltype(&CertGetCertificateChain) getChain;
    decltype(&CertVerifyCertificateChainPolicy) verifyPolicy;
    decltype(&CertFreeCertificateChain) freeChain;
    decltype(&CertFreeCertificateContext) freeCertificate;
    CredHandle credentials;  // kept for the process once acquired
    bool haveCredentials;
};
constinit Platform platform{};

// Records arrive into a buffer that holds several, so one receive takes
// what has arrived; leaving records are gathered likewise, since each
// receive and send is a round trip to the server under Wine.
constexpr int kInSize = 256 * 1024;
constexpr int kRecordSpace = 16384 + 1024;  // the largest record with its header and trailer
constexpr int kRecordsPerSend = 16;

struct Connection {
    SOCKET socket = INVALID_SOCKET;
    CtxtHandle context{};
    bool haveContext = false;
    bool ended = false;  // the server closed the encrypted conversation
    SecPkgContext_StreamSizes sizes{};
    char* in = nullptr;  // kInSize bytes: records received, decrypted in place
    int inStart = 0;     // records not yet decrypted: in[inStart, inEnd)
    int inEnd = 0;
    char* plain = nullptr;  // decrypted bytes not yet handed out (inside in)
    int plainLength = 0;
    char* out = nullptr;  // kRecordsPerSend * kRecordSpace bytes
};
constinit Connection connection{};

constexpr DWORD kContextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                  ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                  ISC_REQ_MANUAL_CRED_VALIDATION;
constexpr DWORD kIgnoreUnknownAuthority = 0x00000100;  // SECURITY_FLAG_IGNORE_UNKNOWN_CA

template <class Function>
bool find(HMODULE module, const char* name, Function& function) {
    function = module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
    return function != nullptr;
}

// "" when TLS can be used, else why not.
std::string loadPlatform() {
    if (!platform.tried) {
        platform.tried = true;
        decltype(&InitSecurityInterfaceA) init = nullptr;
        HMODULE crypt = LoadLibraryA("crypt32.dll");
        bool found = find(LoadLibraryA("secur32.dll"), "InitSecurityInterfaceA", init) &&
                     find(crypt, "CertGetCertificateChain", platform.getChain) &&
                     find(crypt, "CertVerifyCertificateChainPolicy", platform.verifyPolicy) &&
                     find(crypt, "CertFreeCertificateChain", platform.freeChain) &&
                     find(crypt, "CertFreeCertificateContext", platform.freeCertificate);
        platform.sspi = found ? init() : nullptr;
    }
    if (!platform.sspi) return "TLS is not available on this system";
    if (platform.haveCredentials) return "";
    // TLS 1.2: the newest version this interface offers everywhere; the
    // certificate is checked here, after the handshake.
    SCHANNEL_CRED wanted{};
    wanted.dwVersion = SCHANNEL_CRED_VERSION;
    wanted.grbitEnabledProtocols = SP_PROT_TLS1_2_CLIENT;
    wanted.dwFlags = SCH_CRED_MANUAL_CRED_VALIDATION | SCH_CRED_NO_DEFAULT_CREDS;
    TimeStamp expiry;
    SECURITY_STATUS status = platform.sspi->AcquireCredentialsHandleA(
        nullptr, const_cast<char*>(UNISP_NAME_A), SECPKG_CRED_OUTBOUND, nullptr, &wanted, nullptr, nullptr,
        &platform.credentials, &expiry);
    if (status != SEC_E_OK)
        return "TLS is not available on this system (error " + errorCode(static_cast<std::uint32_t>(status)) + ")";
    platform.haveCredentials = true;
    return "";
}

void forget() {
    if (connection.haveContext) platform.sspi->DeleteSecurityContext(&connection.context);
    connection.haveContext = false;
    connection.socket = INVALID_SOCKET;
    connection.ended = false;
    connection.inStart = connection.inEnd = 0;
    connection.plain = nullptr;
    connection.plainLength = 0;
}

// Sends a token the handshake produced and frees it; false when sending failed.
bool sendToken(SOCKET s, SecBuffer& token) {
    if (!token.pvBuffer) return true;
    int length = static_cast<int>(token.cbBuffer);
    bool sent = sendRaw(s, static_cast<const char*>(token.pvBuffer), length) == length;
    platform.sspi->FreeContextBuffer(token.pvBuffer);
    token.pvBuffer = nullptr;
    return sent;
}

SECURITY_STATUS stepHandshake(const char* host, SecBufferDesc* input, SecBuffer& token) {
    token = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc output{SECBUFFER_VERSION, 1, &token};
    ULONG attributes = 0;
    bool first = !connection.haveContext;
    SECURITY_STATUS status = platform.sspi->InitializeSecurityContextA(
        &platform.credentials, first ? nullptr : &connection.context, const_cast<char*>(host), kContextRequest, 0,
        0, input, 0, first ? &connection.context : nullptr, &output, &attributes, nullptr);
    if (first && (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK)) connection.haveContext = true;
    return status;
}

// The client handshake; "" when it is complete, else the reason it failed.
// Bytes that followed the last handshake message stay in the buffer.
std::string handshake(SOCKET s, const char* host) {
    SecBuffer token;
    SECURITY_STATUS status = stepHandshake(host, nullptr, token);
    if (status != SEC_I_CONTINUE_NEEDED) {
        if (token.pvBuffer) platform.sspi->FreeContextBuffer(token.pvBuffer);
        return "the handshake failed (error " + errorCode(status) + ")";
    }
    if (!sendToken(s, token)) return "the connection was cut";

    bool read = true;
    for (;;) {
        if (read) {
            if (connection.inEnd == kInSize) return "the server's handshake is too long";
            int got = receiveRaw(s, connection.in + connection.inEnd, kInSize - connection.inEnd);
            if (got == 0) return "no answer within the time-out";
            if (got < 0) return "the connection ended during the handshake";
            connection.inEnd += got;
        }
        SecBuffer in[2] = {{static_cast<ULONG>(connection.inEnd), SECBUFFER_TOKEN, connection.in},
                           {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc input{SECBUFFER_VERSION, 2, in};
        status = stepHandshake(host, &input, token);
        if (status == SEC_E_INCOMPLETE_MESSAGE) {
            read = true;
            continue;
        }
        if (status == SEC_I_INCOMPLETE_CREDENTIALS) {  // asked for a client certificate: go on without
            read = false;
            continue;
        }
        // A token goes out even with a failure: it is the alert that tells the server.
        bool sent = sendToken(s, token);
        if (status != SEC_E_OK && status != SEC_I_CONTINUE_NEEDED)
            return "the handshake failed (error " + errorCode(status) + ")";
        if (!sent) return "the connection was cut";
        if (in[1].BufferType == SECBUFFER_EXTRA && in[1].cbBuffer > 0) {
            int extra = static_cast<int>(in[1].cbBuffer);
            std::memmove(connection.in, connection.in + connection.inEnd - extra, static_cast<std::size_t>(extra));
            connection.inEnd = extra;
        } else {
            connection.inEnd = 0;
        }
        if (status == SEC_E_OK) return "";
        read = connection.inEnd == 0;
    }
}

std::wstring wide(const char* text) {
    int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (n <= 0) return L"";
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, out.data(), n);
    out.resize(static_cast<std::size_t>(n - 1));
    return out;
}

// The SSL policy's verdict on the chain for host: 0 when it holds, else
// the error it found first.
std::uint32_t chainVerdict(PCCERT_CHAIN_CONTEXT chain, std::wstring& host, DWORD ignored) {
    HTTPSPolicyCallbackData extra{};
    extra.cbStruct = sizeof extra;
    extra.dwAuthType = AUTHTYPE_SERVER;
    extra.fdwChecks = ignored;
    extra.pwszServerName = host.data();
    CERT_CHAIN_POLICY_PARA policy{};
    policy.cbSize = sizeof policy;
    policy.pvExtraPolicyPara = &extra;
    CERT_CHAIN_POLICY_STATUS status{};
    status.cbSize = sizeof status;
    // The verdict is in the status, not in the result, which only says
    // whether the check could run.
    if (!platform.verifyPolicy(CERT_CHAIN_POLICY_SSL, chain, &policy, &status)) return kCertChaining;
    return status.dwError;
}

// "" when the server's certificate is accepted for host, else the text.
std::string checkCertificate(const char* host) {
    PCCERT_CONTEXT certificate = nullptr;
    if (platform.sspi->QueryContextAttributesA(&connection.context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) !=
            SEC_E_OK ||
        !certificate)
        return tlsFailedText(host, "the server sent no certificate");
    LPSTR serverUse[] = {const_cast<LPSTR>(szOID_PKIX_KP_SERVER_AUTH)};
    CERT_CHAIN_PARA wanted{};
    wanted.cbSize = sizeof wanted;
    wanted.RequestedUsage.dwType = USAGE_MATCH_TYPE_OR;
    wanted.RequestedUsage.Usage.cUsageIdentifier = 1;
    wanted.RequestedUsage.Usage.rgpszUsageIdentifier = serverUse;
    PCCERT_CHAIN_CONTEXT chain = nullptr;
    std::uint32_t verdict = kCertChaining;
    if (platform.getChain(nullptr, certificate, nullptr, certificate->hCertStore, &wanted, 0, nullptr, &chain)) {
        std::wstring name = wide(host);
        verdict = chainVerdict(chain, name, 0);
        if (verdict == kCertUntrustedRoot && untrustedAllowedFor(read(cfg::kTlsAllowUntrusted), host)) {
            // Allowed for this host: everything else (the name, the dates) still counts.
            verdict = chainVerdict(chain, name, kIgnoreUnknownAuthority);
            if (verdict == 0) logEvent(untrustedAcceptedText(host), UTIL_EVENT_WARNING);
        }
        platform.freeChain(chain);
    }
    platform.freeCertificate(certificate);
    return verdict == 0 ? "" : certificateRefusedText(host, verdict);
}

// Decrypts the next whole record of the buffer. 1: done (its bytes, if
// any, are the plain text now); 0: the record is not whole yet; -1: the
// conversation ended or failed.
int decryptNext() {
    SecBuffer buffers[4] = {
        {static_cast<ULONG>(connection.inEnd - connection.inStart), SECBUFFER_DATA, connection.in + connection.inStart},
        {0, SECBUFFER_EMPTY, nullptr},
        {0, SECBUFFER_EMPTY, nullptr},
        {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
    SECURITY_STATUS status = platform.sspi->DecryptMessage(&connection.context, &message, 0, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE) return 0;
    // The server's close; a renegotiation is not supported either.
    if (status != SEC_E_OK) {
        connection.ended = true;
        return -1;
    }
    const SecBuffer* data = nullptr;
    const SecBuffer* extra = nullptr;
    for (const SecBuffer& b : buffers) {
        if (b.BufferType == SECBUFFER_DATA && !data) data = &b;
        if (b.BufferType == SECBUFFER_EXTRA && !extra) extra = &b;
    }
    bool gotData = data && data->cbBuffer > 0;
    // Under Wine the server's close arrives as a record without data and
    // without anything behind it.
    if (!gotData && !extra) {
        connection.ended = true;
        return -1;
    }
    if (gotData) {
        connection.plain = static_cast<char*>(data->pvBuffer);
        connection.plainLength = static_cast<int>(data->cbBuffer);
    }
    if (extra)
        connection.inStart = connection.inEnd - static_cast<int>(extra->cbBuffer);
    else
        connection.inStart = connection.inEnd = 0;
    return 1;
}

// Makes room behind the undecrypted bytes for at least one whole record.
void makeRoom() {
    if (kInSize - connection.inEnd >= kRecordSpace) return;
    int pending = connection.inEnd - connection.inStart;
    std::memmove(connection.in, connection.in + connection.inStart, static_cast<std::size_t>(pending));
    connection.inStart = 0;
    connection.inEnd = pending;
}

}  // namespace

std::string tlsStart(SOCKET s, const char* host) {
    std::string unavailable = loadPlatform();
    if (!unavailable.empty()) return tlsFailedText(host, unavailable);
    forget();
    if (!connection.in) connection.in = new char[kInSize];
    if (!connection.out) connection.out = new char[kRecordsPerSend * kRecordSpace];
    connection.socket = s;
    std::string failure = handshake(s, host);
    if (!failure.empty()) {
        forget();
        return tlsFailedText(host, failure);
    }
    std::string refusal = checkCertificate(host);
    if (refusal.empty() && platform.sspi->QueryContextAttributesA(&connection.context, SECPKG_ATTR_STREAM_SIZES,
                                                                  &connection.sizes) != SEC_E_OK)
        refusal = tlsFailedText(host, "the connection's record sizes are unknown");
    if (!refusal.empty()) forget();
    return refusal;
}

bool tlsActive(SOCKET s) { return connection.socket == s && s != INVALID_SOCKET; }

int tlsReceive(SOCKET s, char* buffer, int count) {
    if (!tlsActive(s) || count <= 0) return -1;
    int given = 0;
    for (;;) {
        if (connection.plainLength > 0) {
            int n = connection.plainLength < count - given ? connection.plainLength : count - given;
            std::memcpy(buffer + given, connection.plain, static_cast<std::size_t>(n));
            connection.plain += n;
            connection.plainLength -= n;
            given += n;
            if (given == count) return given;
        }
        if (connection.ended) return given > 0 ? given : -1;
        if (connection.inEnd > connection.inStart) {
            int decrypted = decryptNext();
            if (decrypted > 0) continue;
            if (decrypted < 0) return given > 0 ? given : -1;
        }
        // More records: wait for them only while nothing was handed out.
        if (given > 0 && pendingBytes(s) == 0) return given;
        makeRoom();
        int got = receiveRaw(s, connection.in + connection.inEnd, kInSize - connection.inEnd);
        if (got <= 0) return given > 0 ? given : got;
        connection.inEnd += got;
    }
}

int tlsSend(SOCKET s, const char* data, int length) {
    if (!tlsActive(s)) return 0;
    const SecPkgContext_StreamSizes& sizes = connection.sizes;
    int largest = static_cast<int>(sizes.cbMaximumMessage);
    int room = kRecordSpace - static_cast<int>(sizes.cbHeader + sizes.cbTrailer);
    if (room < largest) largest = room;
    int done = 0;
    while (done < length) {
        int used = 0, taken = 0;
        for (int r = 0; r < kRecordsPerSend && done + taken < length; ++r) {
            int n = length - done - taken < largest ? length - done - taken : largest;
            char* record = connection.out + used;
            std::memcpy(record + sizes.cbHeader, data + done + taken, static_cast<std::size_t>(n));
            SecBuffer parts[4] = {{sizes.cbHeader, SECBUFFER_STREAM_HEADER, record},
                                  {static_cast<ULONG>(n), SECBUFFER_DATA, record + sizes.cbHeader},
                                  {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, record + sizes.cbHeader + n},
                                  {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc message{SECBUFFER_VERSION, 4, parts};
            if (platform.sspi->EncryptMessage(&connection.context, 0, &message, 0) != SEC_E_OK) return done;
            used += static_cast<int>(parts[0].cbBuffer + parts[1].cbBuffer + parts[2].cbBuffer);
            taken += n;
        }
        if (sendRaw(s, connection.out, used) != used) return done;
        done += taken;
    }
    return done;
}

void tlsForget(SOCKET s) {
    if (tlsActive(s)) forget();
}

void tlsEnd(SOCKET s) {
    if (!tlsActive(s)) return;
    DWORD shutdown = SCHANNEL_SHUTDOWN;
    SecBuffer control{sizeof shutdown, SECBUFFER_TOKEN, &shutdown};
    SecBufferDesc controls{SECBUFFER_VERSION, 1, &control};
    if (platform.sspi->ApplyControlToken(&connection.context, &controls) == SEC_E_OK) {
        SecBuffer token;
        if (stepHandshake(nullptr, nullptr, token) == SEC_E_OK || token.pvBuffer) sendToken(s, token);
    }
    forget();
}

}  // namespace util
