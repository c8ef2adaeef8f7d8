// The encrypted conversation of one connection, through the platform's own
// TLS (Schannel in secur32.dll; both it and crypt32.dll are loaded when
// first needed). The socket layer keeps one channel a connection and routes
// that connection's reads and writes through it, so POP3 and SMTP use it
// alike and several encrypted connections can be open at once.
#pragma once

#include <winsock.h>

#include <memory>
#include <string>

namespace util {

struct TlsChannel;
struct TlsChannelDeleter {
    void operator()(TlsChannel* channel) const;
};
using TlsChannelPtr = std::unique_ptr<TlsChannel, TlsChannelDeleter>;

// The whole handshake, however the server answers or drips its bytes,
// must end within this time; AbortComms ends it at once.
inline constexpr unsigned kHandshakeTimeoutMs = 60u * 1000u;
unsigned handshakeTimeoutMs();
void setHandshakeTimeoutMs(unsigned milliseconds);  // shortened by tests only

struct TlsStart {
    std::string failure;      // "" when encrypted, else the status text naming host and reason
    std::string fingerprint;  // of a refused certificate: its SHA-256, for the administrator
};

// Runs the client handshake on the connected socket s (SNI: host), then
// has the certificate judged (tls_trust.h): the platform's TLS does not
// judge it by itself here. Sets channel when the connection is encrypted;
// after a failure the connection is unusable: nothing may be sent on it in
// plain text.
TlsStart tlsStart(SOCKET s, const char* host, TlsChannelPtr& channel);

// As receiveRaw (socket_io.h), in plain text: bytes of whole records that
// are at hand, waiting only when there are none. 0 when the wait timed out;
// -1 on an error, an abort, or the end of the conversation.
int tlsReceive(TlsChannel& channel, SOCKET s, char* buffer, int count);

// As sendRaw, encrypted: whole records of up to the largest size; how
// many bytes went out before a failure.
int tlsSend(TlsChannel& channel, SOCKET s, const char* data, int length);

// Tells the server that the encrypted conversation ends (without waiting
// for its answer). The socket itself stays open.
void tlsEnd(TlsChannel& channel, SOCKET s);

}  // namespace util
