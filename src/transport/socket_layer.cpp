#include "transport/socket_layer.h"

#include <cstdlib>
#include <cstring>
#include <string>

#include "frame/event_log.h"
#include "transport/smtp_reply.h"
#include "transport/socket_io.h"
#include "transport/tls_channel.h"

namespace util {
namespace {

constinit TransportState state{};
constinit unsigned readTimeout = kReadTimeoutMs;

// Waits for data, then receives up to count bytes once: plain text, also
// when the connection is encrypted.
int receive(SOCKET s, char* buffer, int count) {
    return tlsActive(s) ? tlsReceive(s, buffer, count) : receiveRaw(s, buffer, count);
}

void forgetUnread(SOCKET s) {
    state.unread.socket = s;
    state.unread.begin = state.unread.end = 0;
}

// Whether bytes are kept for s, receiving more when none are.
bool haveUnread(SOCKET s) {
    UnreadBytes& unread = state.unread;
    if (unread.socket != s) forgetUnread(s);
    if (unread.begin < unread.end) return true;
    unread.begin = unread.end = 0;
    int got = receive(s, unread.bytes, kReplySize);
    if (got <= 0) return false;
    unread.end = got;
    return true;
}

// "ddd-": more lines of the same reply follow.
bool continuesReply(const char* line, int length) {
    if (length < 4) return false;
    for (int i = 0; i < 3; ++i)
        if (line[i] < '0' || line[i] > '9') return false;
    return line[3] == '-';
}

}  // namespace

TransportState& transport() { return state; }

unsigned readTimeoutMs() { return readTimeout; }
void setReadTimeoutMs(unsigned milliseconds) { readTimeout = milliseconds; }

int startSockets() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return -1;
    if (LOBYTE(data.wVersion) != 1 || HIBYTE(data.wVersion) != 1) {
        WSACleanup();
        return -1;
    }
    return 0;
}

void stopSockets() { WSACleanup(); }

SOCKET connectTo(const char* host, int selector, int port) {
    if (!host) return INVALID_SOCKET;
    u_short networkPort;
    if (port != 0) {
        networkPort = htons(static_cast<u_short>(port));
    } else if (selector == kServiceSmtp || selector == kServicePop3) {
        const servent* service = getservbyname(selector == kServiceSmtp ? "smtp" : "pop3", "tcp");
        networkPort = service ? service->s_port : htons(selector == kServiceSmtp ? 25 : 110);
    } else {
        return INVALID_SOCKET;
    }

    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = networkPort;
    unsigned long dotted = inet_addr(host);
    if (dotted != INADDR_NONE) {
        address.sin_addr.s_addr = dotted;
    } else {
        const hostent* resolved = gethostbyname(host);
        if (!resolved || !resolved->h_addr_list || !resolved->h_addr_list[0]) return INVALID_SOCKET;
        address.sin_family = static_cast<short>(resolved->h_addrtype);
        std::memcpy(&address.sin_addr, resolved->h_addr_list[0],
                    static_cast<std::size_t>(resolved->h_length) < sizeof address.sin_addr
                        ? static_cast<std::size_t>(resolved->h_length)
                        : sizeof address.sin_addr);
    }

    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    if (s == INVALID_SOCKET) return INVALID_SOCKET;
    // A new connection may reuse the handle of one that was never closed here.
    tlsForget(s);
    u_long blocking = 0;
    ioctlsocket(s, FIONBIO, &blocking);
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    // A new connection may reuse the handle of a closed one.
    forgetUnread(s);
    return s;
}

bool startTls(SOCKET s, const char* host) {
    // Whatever arrived before the upgrade is not part of the encrypted
    // conversation: no server sends before the client's first message.
    forgetUnread(s);
    std::string refusal = tlsStart(s, host);
    statusOut(refusal.empty() ? "Connection to " + std::string(host) + " encrypted (TLS)" : refusal);
    return refusal.empty();
}

void closeSocket(SOCKET s) {
    tlsEnd(s);
    closesocket(s);
    if (state.unread.socket == s) forgetUnread(INVALID_SOCKET);
}

int readBlock(SOCKET s, char* buffer, int count) {
    if (!buffer || count <= 0) return -1;
    UnreadBytes& unread = state.unread;
    if (unread.socket != s || unread.begin == unread.end) return receive(s, buffer, count);
    int n = unread.end - unread.begin < count ? unread.end - unread.begin : count;
    std::memcpy(buffer, unread.bytes + unread.begin, static_cast<std::size_t>(n));
    unread.begin += n;
    return n;
}

int readLine(SOCKET s, char* buffer, int maximum) {
    UnreadBytes& unread = state.unread;
    int n = 0;
    while (n < maximum) {
        if (!haveUnread(s)) return -1;
        const char* from = unread.bytes + unread.begin;
        int take = unread.end - unread.begin < maximum - n ? unread.end - unread.begin : maximum - n;
        const void* lineFeed = std::memchr(from, '\n', static_cast<std::size_t>(take));
        if (lineFeed) take = static_cast<int>(static_cast<const char*>(lineFeed) - from) + 1;
        std::memcpy(buffer + n, from, static_cast<std::size_t>(take));
        unread.begin += take;
        n += take;
        if (lineFeed) return n;
    }
    return -1;
}

int sendCounted(SOCKET s, const char* data, int length) {
    return tlsActive(s) ? tlsSend(s, data, length) : sendRaw(s, data, length);
}

bool sendAll(SOCKET s, const char* data, int length) { return sendCounted(s, data, length) == length; }

int readReply(SOCKET s, char* buffer, int maximum, ReplyEnd end) {
    for (;;) {
        int n = readLine(s, buffer, maximum);
        buffer[n < 0 ? 0 : n] = '\0';
        if (n < 0 || end == ReplyEnd::FirstLine || !continuesReply(buffer, n)) return n;
    }
}

int smtpReplyCode(SOCKET s) {
    if (readReply(s, state.smtpReply, kSmtpLineMax, ReplyEnd::SmtpLastLine) < 0) return -1;
    return parseSmtpReplyCode(state.smtpReply);
}

}  // namespace util
