#include "support/scripted_peer.h"

namespace testing_support {
namespace {

std::mutex* logMutex = nullptr;
std::string* logSink = nullptr;

void record(const char* data, int n) {
    if (logMutex && logSink && n > 0) {
        std::lock_guard<std::mutex> lock(*logMutex);
        logSink->append(data, static_cast<std::size_t>(n));
    }
}

SOCKET listenOnLoopback(int& port) {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
    SOCKET s = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    address.sin_port = 0;
    bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address);
    listen(s, 5);
    int length = sizeof address;
    getsockname(s, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return s;
}

}  // namespace

void PeerConnection::send(const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        int n = ::send(socket_, bytes.data() + done, static_cast<int>(bytes.size() - done), 0);
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

std::string PeerConnection::readLine() {
    std::string line;
    char c;
    while (::recv(socket_, &c, 1, 0) == 1) {
        record(&c, 1);
        line += c;
        if (c == '\n') break;
    }
    return line;
}

std::string PeerConnection::readUntilDot() {
    std::string all;
    for (;;) {
        std::string line = readLine();
        if (line.empty()) return all;
        all += line;
        if (line == ".\r\n") return all;
    }
}

std::string PeerConnection::readAll() {
    std::string all;
    char chunk[16384];
    int n;
    while ((n = ::recv(socket_, chunk, sizeof chunk, 0)) > 0) {
        record(chunk, n);
        all.append(chunk, static_cast<std::size_t>(n));
    }
    return all;
}

void PeerConnection::close() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

void PeerConnection::waitForClose(int milliseconds) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval tv{milliseconds / 1000, (milliseconds % 1000) * 1000};
    char scrap[512];
    while (select(0, &readable, nullptr, nullptr, &tv) > 0) {
        int n = ::recv(socket_, scrap, sizeof scrap, 0);
        if (n <= 0) return;
        record(scrap, n);
    }
}

bool PeerConnection::quietFor(int milliseconds) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval tv{milliseconds / 1000, (milliseconds % 1000) * 1000};
    return select(0, &readable, nullptr, nullptr, &tv) == 0;
}

ScriptedPeer::ScriptedPeer(Script script, int connections) : script_(std::move(script)) {
    listener_ = listenOnLoopback(port_);
    logMutex = &mutex_;
    logSink = &received_;
    thread_ = std::thread([this, connections] { run(connections); });
}

ScriptedPeer::~ScriptedPeer() {
    closesocket(listener_);
    if (thread_.joinable()) thread_.join();
    logMutex = nullptr;
    logSink = nullptr;
    WSACleanup();
}

void ScriptedPeer::run(int connections) {
    for (int i = 0; i < connections; ++i) {
        SOCKET s = accept(listener_, nullptr, nullptr);
        if (s == INVALID_SOCKET) return;
        ++accepted_;
        PeerConnection connection(s);
        script_(connection);
        connection.close();
    }
}

std::string ScriptedPeer::received() {
    std::lock_guard<std::mutex> lock(mutex_);
    return received_;
}

int closedPort() {
    int port = 0;
    SOCKET s = listenOnLoopback(port);
    closesocket(s);
    WSACleanup();
    return port;
}

}  // namespace testing_support
