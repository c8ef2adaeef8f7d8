// SendAlert: one UDP datagram to a mail client's notifier. The sockets
// library is loaded by name at every call and freed again, so a machine
// without it still runs everything else; every failure ends the call
// silently, as a notification is only a hint to look at the mailbox.
#include <winsock.h>
#include <windows.h>

#include <cstring>

#include "accounts/account_rules.h"
#include "accounts/accounts.h"
#include "frame/export_guard.h"
#include "utilities.h"

namespace util {
namespace {

struct SocketsLibrary {
    using StartupFn = int(WINAPI*)(WORD, LPWSADATA);
    using CleanupFn = int(WINAPI*)();
    using SocketFn = SOCKET(WINAPI*)(int, int, int);
    using HtonlFn = u_long(WINAPI*)(u_long);
    using HtonsFn = u_short(WINAPI*)(u_short);
    using BindFn = int(WINAPI*)(SOCKET, const sockaddr*, int);
    using CloseFn = int(WINAPI*)(SOCKET);
    using ResolveFn = hostent*(WINAPI*)(const char*);
    using AddrFn = unsigned long(WINAPI*)(const char*);
    using SendToFn = int(WINAPI*)(SOCKET, const char*, int, int, const sockaddr*, int);

    HMODULE module = nullptr;
    StartupFn startup = nullptr;
    CleanupFn cleanup = nullptr;
    SocketFn socket = nullptr;
    HtonlFn htonl = nullptr;
    HtonsFn htons = nullptr;
    BindFn bind = nullptr;
    CloseFn close = nullptr;
    ResolveFn resolve = nullptr;
    AddrFn inetAddr = nullptr;
    SendToFn sendTo = nullptr;

    template <typename Fn>
    bool find(Fn& fn, const char* name) {
        fn = reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
        return fn != nullptr;
    }

    bool load() {
        module = LoadLibraryA("wsock32.dll");
        if (!module) return false;
        return find(startup, "WSAStartup") && find(cleanup, "WSACleanup") && find(socket, "socket") &&
               find(htonl, "htonl") && find(htons, "htons") && find(bind, "bind") &&
               find(close, "closesocket") && find(resolve, "gethostbyname") && find(inetAddr, "inet_addr") &&
               find(sendTo, "sendto");
    }

    ~SocketsLibrary() {
        if (module) FreeLibrary(module);
    }
};

void sendDatagram(SocketsLibrary& ws, const char* host, const char* port, std::string_view text,
                  std::size_t maxDatagram) {
    SOCKET s = ws.socket(AF_INET, SOCK_DGRAM, 0);
    if (s == INVALID_SOCKET) return;

    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = ws.htonl(INADDR_ANY);
    local.sin_port = ws.htons(0);
    if (ws.bind(s, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
        ws.close(s);
        return;
    }

    sockaddr_in target{};
    target.sin_family = AF_INET;
    unsigned long dotted = ws.inetAddr(host);
    if (dotted != INADDR_NONE) {
        target.sin_addr.s_addr = dotted;
    } else {
        hostent* found = ws.resolve(host);
        if (!found || !found->h_addr_list || !found->h_addr_list[0] || found->h_length <= 0 ||
            static_cast<std::size_t>(found->h_length) > sizeof target.sin_addr) {
            ws.close(s);
            return;
        }
        target.sin_family = static_cast<short>(found->h_addrtype);
        std::memcpy(&target.sin_addr, found->h_addr_list[0], static_cast<std::size_t>(found->h_length));
    }
    target.sin_port = ws.htons(static_cast<u_short>(alertPort(port)));

    std::string_view datagram = datagramText(text, maxDatagram);
    ws.sendTo(s, datagram.data(), static_cast<int>(datagram.size()), 0, reinterpret_cast<const sockaddr*>(&target),
              sizeof target);
    ws.close(s);
}

}  // namespace

void sendAlert(const char* host, const char* port, std::string_view text) {
    // An empty host would resolve to this machine: there is no client to tell.
    if (!host || !*host) return;
    SocketsLibrary ws;
    if (!ws.load()) return;
    WSADATA data{};
    if (ws.startup(MAKEWORD(1, 1), &data) != 0) {
        ws.cleanup();
        return;
    }
    sendDatagram(ws, orEmpty(host), orEmpty(port), text, data.iMaxUdpDg);
    ws.cleanup();
}

}  // namespace util

extern "C" int UTILAPI SendAlert(const char* host, const char* port, const char* text) {
    return util::guarded(0, [&] {
        util::sendAlert(host, port, util::orEmpty(text));
        return 0;
    });
}
