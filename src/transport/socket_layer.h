// The socket layer shared by the POP3 and SMTP clients: start and release
// of Winsock 1.1, connecting, reading reply lines and data blocks with the
// long wait, SMTP reply codes, and the process-wide transport buffers.
#pragma once

#include <winsock.h>

namespace util {

// Sizes of the transport's buffers.
inline constexpr int kCommandSize = 4096;
inline constexpr int kReplySize = 4096;      // POP3 reply lines and data blocks
inline constexpr int kPop3LineMax = 4095;
inline constexpr int kSmtpLineMax = 512;

// Service selectors passed to connectTo.
inline constexpr int kServiceSmtp = 1;
inline constexpr int kServicePop3 = 5;

// Process-wide state of the one mail conversation in progress.
struct TransportState {
    char command[kCommandSize];         // the command being sent; also status texts
    char reply[kReplySize + 1];         // last POP3 reply line or data block
    char smtpReply[kSmtpLineMax + 1];   // last SMTP reply line
    SOCKET current;                     // socket of the POP3 call in progress
    int scannerState;                   // end-of-data scanner, carried across blocks
};
TransportState& transport();

// Every wait for incoming data: 900 seconds. The wait runs in short slices
// that also end it when AbortComms is called meanwhile, since not every
// platform honours the cancel call.
inline constexpr unsigned kReadTimeoutMs = 900u * 1000u;
unsigned readTimeoutMs();
void setReadTimeoutMs(unsigned milliseconds);  // shortened by tests only

// Starts Winsock asking for version 1.1; 0 on success, -1 when the start
// fails or the library is not exactly 1.1 (it is then released again).
int startSockets();
void stopSockets();

// A connected blocking stream socket to host, or INVALID_SOCKET. A port of
// 0 takes the service's port ("smtp" 25, "pop3" 110 when not in the table).
SOCKET connectTo(const char* host, int selector, int port);

// Reads one byte a receive until a line feed or maximum bytes. Returns the
// count including the line feed, or -1 when no line feed arrived. The
// buffer is not terminated.
int readLine(SOCKET s, char* buffer, int maximum);

// Waits for data, then receives up to count bytes once. Returns the bytes
// received, 0 when the wait timed out, -1 on an error, an abort or a
// closed connection.
int readBlock(SOCKET s, char* buffer, int count);

// Sends every byte; false when the connection fails.
bool sendAll(SOCKET s, const char* data, int length);

// Reads one SMTP reply line into the SMTP reply buffer and returns its
// three-digit code, or -1 (no line, no digit, or a code of 0).
int smtpReplyCode(SOCKET s);

// Discards whatever the server still sends, until a second passes quietly.
int smtpDrain(SOCKET s);

// A POP3 reply line is a success when it begins with "+".
inline bool pop3Ok(const char* line) { return line && line[0] == '+'; }

}  // namespace util
