#include "transport/socket_layer.h"

#include <cstdlib>
#include <cstring>

#include "transport/abort_flag.h"
#include "transport/smtp_reply.h"

namespace util {
namespace {

constinit TransportState state{};
constinit unsigned readTimeout = kReadTimeoutMs;
constexpr unsigned kWaitSliceMs = 250;

// Waits until the socket is readable or reports an error. 1: ready;
// 0: timed out; -1: failed or aborted while waiting.
int waitReadable(SOCKET s, unsigned timeoutMs) {
    unsigned aborts = abortCount();
    unsigned waited = 0;
    for (;;) {
        unsigned slice = timeoutMs - waited < kWaitSliceMs ? timeoutMs - waited : kWaitSliceMs;
        fd_set readable, failed;
        FD_ZERO(&readable);
        FD_ZERO(&failed);
        FD_SET(s, &readable);
        FD_SET(s, &failed);
        timeval tv{static_cast<long>(slice / 1000), static_cast<long>((slice % 1000) * 1000)};
        int ready = select(0, &readable, nullptr, &failed, &tv);
        if (ready == SOCKET_ERROR) return -1;
        if (abortCount() != aborts) return -1;
        if (ready > 0) return 1;
        waited += slice;
        if (waited >= timeoutMs) return 0;
    }
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
    u_long blocking = 0;
    ioctlsocket(s, FIONBIO, &blocking);
    if (connect(s, reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR) {
        closesocket(s);
        return INVALID_SOCKET;
    }
    return s;
}

// Bytes already waiting on the socket. Asking is cheap where a readiness
// wait is not (under Wine each wait is a round trip to its server), and a
// wait for data that is already there would return at once anyway.
static u_long pendingBytes(SOCKET s) {
    u_long pending = 0;
    return ioctlsocket(s, FIONREAD, &pending) == 0 ? pending : 0;
}

int readBlock(SOCKET s, char* buffer, int count) {
    if (!buffer || count <= 0) return -1;
    if (pendingBytes(s) == 0) {
        int ready = waitReadable(s, readTimeout);
        if (ready <= 0) return ready;
    }
    int got = recv(s, buffer, count, 0);
    return got > 0 ? got : -1;
}

int readLine(SOCKET s, char* buffer, int maximum) {
    int n = 0;
    while (n < maximum) {
        if (readBlock(s, buffer + n, 1) != 1) return -1;
        if (buffer[n++] == '\n') return n;
    }
    return -1;
}

bool sendAll(SOCKET s, const char* data, int length) {
    while (length > 0) {
        int sent = send(s, data, length, 0);
        if (sent == SOCKET_ERROR || sent == 0) return false;
        data += sent;
        length -= sent;
    }
    return true;
}

int smtpReplyCode(SOCKET s) {
    int n = readLine(s, state.smtpReply, kSmtpLineMax);
    if (n < 0) {
        state.smtpReply[0] = '\0';
        return -1;
    }
    state.smtpReply[n] = '\0';
    return parseSmtpReplyCode(state.smtpReply);
}

int smtpDrain(SOCKET s) {
    char scrap[kSmtpLineMax + 1];
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval second{1, 0};
        if (select(0, &readable, nullptr, nullptr, &second) <= 0) return 0;
        if (recv(s, scrap, sizeof scrap, 0) <= 0) return 0;
    }
}

}  // namespace util
