#include "transport/tls_channel.h"

#define SECURITY_WIN32
#include "transport/tls_trust.h"

#include <schannel.h>
#include <security.h>

#include <cstring>
#include <string>

#include "frame/secret.h"
#include "transport/socket_io.h"
#include "transport/tls_rules.h"
#include "utilities.h"

namespace util {

// Records arrive into a buffer that holds several, so one receive takes
// what has arrived; leaving records are gathered likewise, since each
// receive and send is a round trip to the server under Wine.
constexpr int kInSize = 256 * 1024;
constexpr int kRecordSpace = 16384 + 1024;  // the largest record with its header and trailer
constexpr int kRecordsPerSend = 16;

struct TlsChannel {
    CtxtHandle context{};
    bool haveContext = false;
    bool ended = false;  // the server closed the encrypted conversation
    SecPkgContext_StreamSizes sizes{};
    char in[kInSize];    // records received, decrypted in place
    int inStart = 0;     // records not yet decrypted: in[inStart, inEnd)
    int inEnd = 0;
    char* plain = nullptr;  // decrypted bytes not yet handed out (inside in)
    int plainLength = 0;
    char out[kRecordsPerSend * kRecordSpace];
};

namespace {

// The platform's TLS, found when first needed: a system that lacks it
// still loads the library and speaks plain text.
struct Platform {
    bool tried;
    PSecurityFunctionTableA sspi;
    CredHandle credentials;  // kept for the process once acquired
    bool haveCredentials;
};
constinit Platform platform{};
constinit unsigned handshakeLimit = kHandshakeTimeoutMs;

constexpr DWORD kContextRequest = ISC_REQ_SEQUENCE_DETECT | ISC_REQ_REPLAY_DETECT | ISC_REQ_CONFIDENTIALITY |
                                  ISC_REQ_EXTENDED_ERROR | ISC_REQ_ALLOCATE_MEMORY | ISC_REQ_STREAM |
                                  ISC_REQ_MANUAL_CRED_VALIDATION;

// "" when TLS can be used, else why not.
std::string loadPlatform() {
    if (!platform.tried) {
        platform.tried = true;
        HMODULE secur = LoadLibraryA("secur32.dll");
        auto init = secur ? reinterpret_cast<decltype(&InitSecurityInterfaceA)>(
                                reinterpret_cast<void*>(GetProcAddress(secur, "InitSecurityInterfaceA")))
                          : nullptr;
        platform.sspi = init ? init() : nullptr;
    }
    if (!platform.sspi) return "TLS is not available on this system";
    if (platform.haveCredentials) return "";
    // TLS 1.2: the newest version this interface offers everywhere; the
    // certificate is judged here, after the handshake.
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

// Sends a token the handshake produced and frees it; false when sending failed.
bool sendToken(SOCKET s, SecBuffer& token) {
    if (!token.pvBuffer) return true;
    int length = static_cast<int>(token.cbBuffer);
    bool sent = sendRaw(s, static_cast<const char*>(token.pvBuffer), length) == length;
    platform.sspi->FreeContextBuffer(token.pvBuffer);
    token.pvBuffer = nullptr;
    return sent;
}

SECURITY_STATUS stepHandshake(TlsChannel& c, const char* host, SecBufferDesc* input, SecBuffer& token) {
    token = {0, SECBUFFER_TOKEN, nullptr};
    SecBufferDesc output{SECBUFFER_VERSION, 1, &token};
    ULONG attributes = 0;
    bool first = !c.haveContext;
    SECURITY_STATUS status = platform.sspi->InitializeSecurityContextA(
        &platform.credentials, first ? nullptr : &c.context, const_cast<char*>(host), kContextRequest, 0, 0, input,
        0, first ? &c.context : nullptr, &output, &attributes, nullptr);
    if (first && (status == SEC_I_CONTINUE_NEEDED || status == SEC_E_OK)) c.haveContext = true;
    return status;
}

// The client handshake, within one deadline for all of it; "" when it is
// complete, else the reason it failed. Bytes that followed the last
// handshake message stay in the buffer.
std::string handshake(TlsChannel& c, SOCKET s, const char* host) {
    const DWORD started = GetTickCount();
    SecBuffer token;
    SECURITY_STATUS status = stepHandshake(c, host, nullptr, token);
    if (status != SEC_I_CONTINUE_NEEDED) {
        if (token.pvBuffer) platform.sspi->FreeContextBuffer(token.pvBuffer);
        return "the handshake failed (error " + errorCode(status) + ")";
    }
    if (!sendToken(s, token)) return "the connection was cut";

    bool read = true;
    for (;;) {
        if (read) {
            if (c.inEnd == kInSize) return "the server's handshake is too long";
            DWORD spent = GetTickCount() - started;
            if (spent >= handshakeLimit) return "the handshake took too long";
            int got = receiveRawWithin(s, c.in + c.inEnd, kInSize - c.inEnd, handshakeLimit - spent);
            if (got == 0) return "the handshake took too long";
            if (got < 0) return "the connection ended during the handshake";
            c.inEnd += got;
        }
        SecBuffer in[2] = {{static_cast<ULONG>(c.inEnd), SECBUFFER_TOKEN, c.in}, {0, SECBUFFER_EMPTY, nullptr}};
        SecBufferDesc input{SECBUFFER_VERSION, 2, in};
        status = stepHandshake(c, host, &input, token);
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
            std::memmove(c.in, c.in + c.inEnd - extra, static_cast<std::size_t>(extra));
            c.inEnd = extra;
        } else {
            c.inEnd = 0;
        }
        if (status == SEC_E_OK) return "";
        read = c.inEnd == 0;
    }
}

// The verdict on the server's certificate.
TrustVerdict judge(TlsChannel& c, const char* host) {
    PCCERT_CONTEXT certificate = nullptr;
    if (platform.sspi->QueryContextAttributesA(&c.context, SECPKG_ATTR_REMOTE_CERT_CONTEXT, &certificate) != SEC_E_OK)
        certificate = nullptr;
    TrustVerdict verdict = judgeCertificate(certificate, host);
    releaseCertificate(certificate);
    return verdict;
}

// Decrypts the next whole record of the buffer. 1: done (its bytes, if
// any, are the plain text now); 0: the record is not whole yet; -1: the
// conversation ended or failed.
int decryptNext(TlsChannel& c) {
    SecBuffer buffers[4] = {{static_cast<ULONG>(c.inEnd - c.inStart), SECBUFFER_DATA, c.in + c.inStart},
                            {0, SECBUFFER_EMPTY, nullptr},
                            {0, SECBUFFER_EMPTY, nullptr},
                            {0, SECBUFFER_EMPTY, nullptr}};
    SecBufferDesc message{SECBUFFER_VERSION, 4, buffers};
    SECURITY_STATUS status = platform.sspi->DecryptMessage(&c.context, &message, 0, nullptr);
    if (status == SEC_E_INCOMPLETE_MESSAGE) return 0;
    // The server's close; a renegotiation is not supported either.
    if (status != SEC_E_OK) {
        c.ended = true;
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
        c.ended = true;
        return -1;
    }
    if (gotData) {
        c.plain = static_cast<char*>(data->pvBuffer);
        c.plainLength = static_cast<int>(data->cbBuffer);
    }
    if (extra)
        c.inStart = c.inEnd - static_cast<int>(extra->cbBuffer);
    else
        c.inStart = c.inEnd = 0;
    return 1;
}

// Makes room behind the undecrypted bytes for at least one whole record.
void makeRoom(TlsChannel& c) {
    if (kInSize - c.inEnd >= kRecordSpace) return;
    int pending = c.inEnd - c.inStart;
    std::memmove(c.in, c.in + c.inStart, static_cast<std::size_t>(pending));
    c.inStart = 0;
    c.inEnd = pending;
}

}  // namespace

void TlsChannelDeleter::operator()(TlsChannel* c) const {
    if (!c) return;
    if (c->haveContext) platform.sspi->DeleteSecurityContext(&c->context);
    delete c;
}

unsigned handshakeTimeoutMs() { return handshakeLimit; }
void setHandshakeTimeoutMs(unsigned milliseconds) { handshakeLimit = milliseconds; }

TlsStart tlsStart(SOCKET s, const char* host, TlsChannelPtr& channel) {
    channel.reset();
    std::string unavailable = loadPlatform();
    if (!unavailable.empty()) return {tlsFailedText(host, unavailable), ""};
    TlsChannelPtr c(new TlsChannel);
    std::string failure = handshake(*c, s, host);
    if (!failure.empty()) return {tlsFailedText(host, failure), ""};
    TrustVerdict verdict = judge(*c, host);
    if (!verdict.refusal.empty()) return {certificateRefusedText(host, verdict.refusal), verdict.fingerprint};
    if (platform.sspi->QueryContextAttributesA(&c->context, SECPKG_ATTR_STREAM_SIZES, &c->sizes) != SEC_E_OK)
        return {tlsFailedText(host, "the connection's record sizes are unknown"), ""};
    channel = std::move(c);
    return {};
}

int tlsReceive(TlsChannel& c, SOCKET s, char* buffer, int count) {
    if (count <= 0) return -1;
    int given = 0;
    for (;;) {
        if (c.plainLength > 0) {
            int n = c.plainLength < count - given ? c.plainLength : count - given;
            std::memcpy(buffer + given, c.plain, static_cast<std::size_t>(n));
            c.plain += n;
            c.plainLength -= n;
            given += n;
            if (given == count) return given;
        }
        if (c.ended) return given > 0 ? given : -1;
        if (c.inEnd > c.inStart) {
            int decrypted = decryptNext(c);
            if (decrypted > 0) continue;
            if (decrypted < 0) return given > 0 ? given : -1;
        }
        // More records: wait for them only while nothing was handed out.
        if (given > 0 && pendingBytes(s) == 0) return given;
        makeRoom(c);
        int got = receiveRaw(s, c.in + c.inEnd, kInSize - c.inEnd);
        if (got <= 0) return given > 0 ? given : got;
        c.inEnd += got;
    }
}

int tlsSend(TlsChannel& c, SOCKET s, const char* data, int length) {
    const SecPkgContext_StreamSizes& sizes = c.sizes;
    int largest = static_cast<int>(sizes.cbMaximumMessage);
    int room = kRecordSpace - static_cast<int>(sizes.cbHeader + sizes.cbTrailer);
    if (room < largest) largest = room;
    int done = 0;
    while (done < length) {
        int used = 0, taken = 0;
        for (int r = 0; r < kRecordsPerSend && done + taken < length; ++r) {
            int n = length - done - taken < largest ? length - done - taken : largest;
            char* record = c.out + used;
            std::memcpy(record + sizes.cbHeader, data + done + taken, static_cast<std::size_t>(n));
            SecBuffer parts[4] = {{sizes.cbHeader, SECBUFFER_STREAM_HEADER, record},
                                  {static_cast<ULONG>(n), SECBUFFER_DATA, record + sizes.cbHeader},
                                  {sizes.cbTrailer, SECBUFFER_STREAM_TRAILER, record + sizes.cbHeader + n},
                                  {0, SECBUFFER_EMPTY, nullptr}};
            SecBufferDesc message{SECBUFFER_VERSION, 4, parts};
            if (platform.sspi->EncryptMessage(&c.context, 0, &message, 0) != SEC_E_OK) {
                // What was copied in stays clear text: a password line must
                // not wait in the channel for its next use.
                wipe(c.out, static_cast<std::size_t>(used) + sizes.cbHeader + static_cast<std::size_t>(n));
                return done;
            }
            used += static_cast<int>(parts[0].cbBuffer + parts[1].cbBuffer + parts[2].cbBuffer);
            taken += n;
        }
        if (sendRaw(s, c.out, used) != used) return done;
        done += taken;
    }
    return done;
}

void tlsEnd(TlsChannel& c, SOCKET s) {
    DWORD shutdown = SCHANNEL_SHUTDOWN;
    SecBuffer control{sizeof shutdown, SECBUFFER_TOKEN, &shutdown};
    SecBufferDesc controls{SECBUFFER_VERSION, 1, &control};
    if (platform.sspi->ApplyControlToken(&c.context, &controls) == SEC_E_OK) {
        SecBuffer token;
        if (stepHandshake(c, nullptr, nullptr, token) == SEC_E_OK || token.pvBuffer) sendToken(s, token);
    }
}

}  // namespace util
