#include "transport/socket_layer.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "frame/event_log.h"
#include "frame/settings.h"
#include "transport/smtp_reply.h"
#include "transport/socket_io.h"
#include "transport/tls_channel.h"
#include "transport/tls_rules.h"
#include "utilities.h"

namespace util {
namespace {

constinit TransportState state{};
constexpr int kSocketBufferSize = 4 << 20;
constinit unsigned readTimeout = kReadTimeoutMs;

// One connection's own state.
struct Connection {
    SOCKET socket = INVALID_SOCKET;
    bool encrypted = false;  // encryption was asked for: never plain text again
    TlsChannelPtr tls;       // the encrypted conversation, once the handshake succeeded
    int begin = 0;           // bytes read ahead: unread[begin, end)
    int end = 0;
    char unread[kReplySize];
};

// The open connections. Made on first use and never destroyed: nothing of
// it runs while the library is unloaded.
std::vector<std::unique_ptr<Connection>>& connections() {
    static auto* list = new std::vector<std::unique_ptr<Connection>>;
    return *list;
}

Connection* find(SOCKET s) {
    for (auto& c : connections())
        if (c->socket == s) return c.get();
    return nullptr;
}

// The state of s, made when s has none yet (a socket connected elsewhere).
Connection& entry(SOCKET s) {
    if (Connection* c = find(s)) return *c;
    connections().push_back(std::make_unique<Connection>());
    connections().back()->socket = s;
    return *connections().back();
}

void forget(SOCKET s) {
    auto& list = connections();
    for (auto it = list.begin(); it != list.end(); ++it)
        if ((*it)->socket == s) {
            list.erase(it);
            return;
        }
}

// Waits for data, then receives up to count bytes once: plain text, also
// when the connection is encrypted; -1 on a connection whose encryption
// failed.
int receive(Connection& c, char* buffer, int count) {
    if (c.encrypted) return c.tls ? tlsReceive(*c.tls, c.socket, buffer, count) : -1;
    return receiveRaw(c.socket, buffer, count);
}

// Whether bytes are kept for c, receiving more when none are.
bool haveUnread(Connection& c) {
    if (c.begin < c.end) return true;
    c.begin = c.end = 0;
    int got = receive(c, c.unread, kReplySize);
    if (got <= 0) return false;
    c.end = got;
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
        networkPort = service ? service->s_port : htons(selector == kServiceSmtp ? cfg::kSmtpPort : cfg::kPop3Port);
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
    forget(s);
    u_long blocking = 0;
    ioctlsocket(s, FIONBIO, &blocking);
    // Large buffers both ways: the server sends on while a block is
    // scanned and written, and under Wine each blocking send that finds
    // the buffer full waits through its server (with the default size a
    // 20 MB transfer spent half its time so).
    int size = kSocketBufferSize;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&size), sizeof size);
    setsockopt(s, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&size), sizeof size);
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

bool startTls(SOCKET s, const char* host) {
    Connection& c = entry(s);
    // Whatever arrived before the upgrade is not part of the encrypted
    // conversation: no server sends before the client's first message.
    c.begin = c.end = 0;
    c.encrypted = true;
    TlsStart started = tlsStart(s, host, c.tls);
    if (!started.failure.empty()) {
        statusOut(started.failure);
        if (!started.fingerprint.empty())
            logEvent(certificateFingerprintText(host, started.fingerprint), UTIL_EVENT_WARNING);
        return false;
    }
    statusOut("Connection to " + std::string(host) + " encrypted (TLS)");
    return true;
}

bool encryptionAsked(SOCKET s) {
    Connection* c = find(s);
    return c && c->encrypted;
}

void closeSocket(SOCKET s) {
    if (Connection* c = find(s); c && c->tls) tlsEnd(*c->tls, s);
    forget(s);
    closesocket(s);
}

int readBlock(SOCKET s, char* buffer, int count) {
    if (!buffer || count <= 0) return -1;
    Connection& c = entry(s);
    if (c.begin == c.end) return receive(c, buffer, count);
    int n = c.end - c.begin < count ? c.end - c.begin : count;
    std::memcpy(buffer, c.unread + c.begin, static_cast<std::size_t>(n));
    c.begin += n;
    return n;
}

int readLine(SOCKET s, char* buffer, int maximum) {
    Connection& c = entry(s);
    int n = 0;
    while (n < maximum) {
        if (!haveUnread(c)) return -1;
        const char* from = c.unread + c.begin;
        int take = c.end - c.begin < maximum - n ? c.end - c.begin : maximum - n;
        const void* lineFeed = std::memchr(from, '\n', static_cast<std::size_t>(take));
        if (lineFeed) take = static_cast<int>(static_cast<const char*>(lineFeed) - from) + 1;
        std::memcpy(buffer + n, from, static_cast<std::size_t>(take));
        c.begin += take;
        n += take;
        if (lineFeed) return n;
    }
    return -1;
}

int sendCounted(SOCKET s, const char* data, int length) {
    Connection* c = find(s);
    if (c && c->encrypted) return c->tls ? tlsSend(*c->tls, s, data, length) : 0;
    return sendRaw(s, data, length);
}

bool sendAll(SOCKET s, const char* data, int length) { return sendCounted(s, data, length) == length; }

int readReply(SOCKET s, char* buffer, int maximum, ReplyEnd end, std::string* lines) {
    for (;;) {
        int n = readLine(s, buffer, maximum);
        buffer[n < 0 ? 0 : n] = '\0';
        if (lines && n > 0) lines->append(buffer, static_cast<std::size_t>(n));
        if (n < 0 || end == ReplyEnd::FirstLine || !continuesReply(buffer, n)) return n;
    }
}

int smtpReplyCode(SOCKET s, std::string* lines) {
    if (readReply(s, state.smtpReply, kSmtpLineMax, ReplyEnd::SmtpLastLine, lines) < 0) return -1;
    return parseSmtpReplyCode(state.smtpReply);
}

}  // namespace util
