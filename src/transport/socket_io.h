// The socket layer's raw input and output, beneath both the plain and the
// encrypted connection: the long wait for data, in slices that AbortComms
// ends, and receiving and sending bytes as they are.
#pragma once

#include <winsock.h>

namespace util {

// Waits until s is readable or reports an error. 1: ready; 0: timed out;
// -1: failed, or AbortComms was called while waiting.
int waitReadable(SOCKET s, unsigned timeoutMs);

// Bytes already waiting on s (0 when none or unknown).
u_long pendingBytes(SOCKET s);

// Waits for data (the read time-out of socket_layer.h), then receives up
// to count bytes once. The bytes received; 0 when the wait timed out; -1 on
// an error, an abort or a closed connection.
int receiveRaw(SOCKET s, char* buffer, int count);
// The same with a wait of at most timeoutMs.
int receiveRawWithin(SOCKET s, char* buffer, int count, unsigned timeoutMs);

// Sends the bytes; how many went out before a failure (length when all did).
int sendRaw(SOCKET s, const char* data, int length);

}  // namespace util
