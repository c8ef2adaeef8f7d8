// TLS on the one connection of the mail conversation in progress, through
// the platform's own TLS (Schannel in secur32.dll, with crypt32.dll for the
// certificate check; both loaded when first needed). The socket layer
// routes reads and writes of that socket through here once tlsStart has
// succeeded, so POP3 and SMTP use it alike.
#pragma once

#include <winsock.h>

#include <string>

namespace util {

// Runs the client handshake on the connected socket s (SNI: host), then
// checks the server's certificate against the system's trusted roots and
// host: the platform's TLS does not check it by itself here. An untrusted
// authority is accepted only for a host the ms.ini allowance names, with a
// warning logged. Returns "" when the connection is encrypted, else the
// status text that names host and reason (the connection is unusable).
std::string tlsStart(SOCKET s, const char* host);

// Whether s is the encrypted connection.
bool tlsActive(SOCKET s);

// As receiveRaw (socket_io.h), in plain text: bytes of whole records that
// are at hand, waiting only when there are none. 0 when the wait timed out;
// -1 on an error, an abort, or the end of the connection.
int tlsReceive(SOCKET s, char* buffer, int count);

// As sendRaw, encrypted: whole records of up to the largest size; how
// many bytes went out before a failure.
int tlsSend(SOCKET s, const char* data, int length);

// Tells the server that the encrypted conversation ends (without waiting
// for its answer) and forgets it. The socket itself stays open.
void tlsEnd(SOCKET s);

// Forgets the encrypted conversation on s without a word to the server (a
// new connection that got the handle of one never closed here).
void tlsForget(SOCKET s);

}  // namespace util
