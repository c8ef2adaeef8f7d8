#include "transport/socket_io.h"

#include "frame/abort_flag.h"
#include "transport/socket_layer.h"

namespace util {
namespace {
constexpr unsigned kWaitSliceMs = 250;
// A reply on a fast line arrives within a millisecond or two, but a
// readiness wait costs far more than the asking under Wine (a round trip
// through its server and a wake-up after it, several hundred
// microseconds): for this long the bytes waiting are asked for first,
// yielding the processor in between. A slow line then waits as before.
constexpr DWORD kQuickPollMs = 4;

// The bytes waiting on s, asked for a short while; 0 when none came.
u_long quickPoll(SOCKET s) {
    const DWORD started = GetTickCount();
    do {
        if (u_long pending = pendingBytes(s)) return pending;
        Sleep(0);
    } while (GetTickCount() - started < kQuickPollMs);
    return 0;
}
}  // namespace

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

// Asking is cheap where a readiness wait is not (under Wine each wait is a
// round trip to its server), and a wait for data that is already there
// would return at once anyway.
u_long pendingBytes(SOCKET s) {
    u_long pending = 0;
    return ioctlsocket(s, FIONREAD, &pending) == 0 ? pending : 0;
}

int receiveRaw(SOCKET s, char* buffer, int count) { return receiveRawWithin(s, buffer, count, readTimeoutMs()); }

int receiveRawWithin(SOCKET s, char* buffer, int count, unsigned timeoutMs) {
    if (quickPoll(s) == 0) {
        int ready = waitReadable(s, timeoutMs);
        if (ready <= 0) return ready;
    }
    int got = recv(s, buffer, count, 0);
    return got > 0 ? got : -1;
}

int sendRaw(SOCKET s, const char* data, int length) {
    int done = 0;
    while (done < length) {
        int sent = send(s, data + done, length - done, 0);
        if (sent == SOCKET_ERROR || sent == 0) break;
        done += sent;
    }
    return done;
}

}  // namespace util
