// The socket layer shared by the POP3 and SMTP clients: start and release
// of Winsock 1.1, connecting, encrypting a connection, reading whole
// replies and data blocks with the long wait, SMTP reply codes, and the
// process-wide transport buffers. Reads and writes of an encrypted
// connection pass through TLS here, unseen by the clients.
#pragma once

#include <winsock.h>

#include <string>

namespace util {

// Sizes of the transport's buffers.
inline constexpr int kCommandSize = 4096;
inline constexpr int kReplySize = 4096;      // POP3 reply lines and data blocks
inline constexpr int kPop3LineMax = 4095;
inline constexpr int kSmtpLineMax = 512;

// Service selectors passed to connectTo.
inline constexpr int kServiceSmtp = 1;
inline constexpr int kServicePop3 = 5;

// Process-wide buffers of the mail conversations. Each connection keeps
// its own state beside them in the socket layer: the bytes received after
// the last line handed out (lines are cut from a receive of whatever has
// arrived, not read one byte a receive, since each receive is a call into
// the platform, under Wine a round trip to its server) and its encrypted
// conversation.
struct TransportState {
    char command[kCommandSize];         // the command being sent; also status texts
    char reply[kReplySize + 1];         // last POP3 reply line or data block
    char smtpReply[kSmtpLineMax + 1];   // last line of the last SMTP reply
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

// Winsock held for a scope's time (a request, a sign-in), whoever else holds it.
class SocketsHeld {
public:
    SocketsHeld() : started_(startSockets() == 0) {}
    ~SocketsHeld() {
        if (started_) stopSockets();
    }
    SocketsHeld(const SocketsHeld&) = delete;
    SocketsHeld& operator=(const SocketsHeld&) = delete;
    bool started() const { return started_; }

private:
    bool started_;
};

// A connected blocking stream socket to host, or INVALID_SOCKET. A port of
// 0 takes the service's port ("smtp" 25, "pop3" 110 when not in the table).
SOCKET connectTo(const char* host, int selector, int port);

// Encrypts the connection (TLS, tls_channel.h) from here on: the status
// output says that it is encrypted, or names the host and why not (the
// caller then closes it). Plain text that arrived before is dropped. From
// the first attempt on, the connection never reads or writes plain text
// again: after a failure every read and write of it fails.
bool startTls(SOCKET s, const char* host);

// Whether s asked for encryption (then everything on it is encrypted or fails).
bool encryptionAsked(SOCKET s);

// Closes a connection: first the encrypted conversation, when there is one.
void closeSocket(SOCKET s);

// Reads one line: up to and including its line feed, at most maximum
// bytes. Returns the count including the line feed, or -1 when no line
// feed arrived (time-out, closed connection, error, or a longer line). The
// buffer is not terminated. Bytes that arrived after the line are kept for
// the next read of the same socket, line or block.
int readLine(SOCKET s, char* buffer, int maximum);

// Hands out bytes kept from an earlier read at once; otherwise waits for
// data and receives up to count bytes once. Returns the bytes handed out,
// 0 when the wait timed out, -1 on an error, an abort or a closed
// connection.
int readBlock(SOCKET s, char* buffer, int count);

// Sends every byte; false when the connection fails.
bool sendAll(SOCKET s, const char* data, int length);
// The same, telling how many bytes went out before a failure.
int sendCounted(SOCKET s, const char* data, int length);

// Where a reply ends. A POP3 reply is its first line. An SMTP reply runs
// to its last line by the standard's rule: a line that begins with three
// digits and a hyphen is followed by more, any other line is the last.
enum class ReplyEnd { FirstLine, SmtpLastLine };

// Reads one whole reply, each line at most maximum bytes, into buffer
// (maximum + 1 bytes), which keeps its last line, terminated. Returns that
// line's length, or -1 (buffer empty) when no whole reply arrived. With
// lines, every line of the reply is appended there too (the EHLO reply's
// extensions).
int readReply(SOCKET s, char* buffer, int maximum, ReplyEnd end, std::string* lines = nullptr);

// Reads one whole SMTP reply into the SMTP reply buffer and returns the
// three-digit code of its last line, or -1 (no reply, no digit, or a code
// of 0); lines as for readReply.
int smtpReplyCode(SOCKET s, std::string* lines = nullptr);

}  // namespace util
