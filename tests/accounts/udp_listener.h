// A UDP socket on 127.0.0.1 at a port the system chooses, for the
// notification datagrams.
#pragma once

#include <winsock.h>

#include <string>

namespace testing_support {

class UdpListener {
public:
    UdpListener() {
        WSADATA data;
        WSAStartup(MAKEWORD(1, 1), &data);
        socket_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in local{};
        local.sin_family = AF_INET;
        local.sin_addr.s_addr = inet_addr("127.0.0.1");
        local.sin_port = 0;
        bind(socket_, reinterpret_cast<sockaddr*>(&local), sizeof local);
        int size = sizeof local;
        getsockname(socket_, reinterpret_cast<sockaddr*>(&local), &size);
        port_ = ntohs(local.sin_port);
    }
    ~UdpListener() {
        closesocket(socket_);
        WSACleanup();
    }
    UdpListener(const UdpListener&) = delete;
    UdpListener& operator=(const UdpListener&) = delete;

    int port() const { return port_; }
    std::string portText() const { return std::to_string(port_); }

    // The next datagram, or false when none comes within the time.
    bool receive(std::string& data, int milliseconds, int* fromPort = nullptr) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(socket_, &readable);
        timeval wait{milliseconds / 1000, (milliseconds % 1000) * 1000};
        if (select(0, &readable, nullptr, nullptr, &wait) != 1) return false;
        char buffer[70000];
        sockaddr_in from{};
        int fromSize = sizeof from;
        int got = recvfrom(socket_, buffer, sizeof buffer, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (got < 0) return false;
        data.assign(buffer, static_cast<std::size_t>(got));
        if (fromPort) *fromPort = ntohs(from.sin_port);
        return true;
    }

private:
    SOCKET socket_ = INVALID_SOCKET;
    int port_ = 0;
};

}  // namespace testing_support
