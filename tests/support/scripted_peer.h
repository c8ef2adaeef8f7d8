// A scripted TCP peer on 127.0.0.1 for the exact conversations a real
// server will not produce: each accepted connection runs the script on a
// thread of its own, and everything the client sent is kept.
#pragma once

#include <winsock.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

namespace testing_support {

class PeerConnection {
public:
    explicit PeerConnection(SOCKET s) : socket_(s) {}
    void send(const std::string& bytes);
    // The next line from the client, its CR LF included; empty when the
    // client closed the connection.
    std::string readLine();
    // Everything until the client's line "." (the end of DATA), included.
    std::string readUntilDot();
    // Everything until the client closes its side, read in blocks.
    std::string readAll();
    void close();
    // Waits until the client closes (or the time is up).
    void waitForClose(int milliseconds = 5000);
    // True when the client sends nothing for that long (nothing is read).
    bool quietFor(int milliseconds);

private:
    SOCKET socket_;
};

class ScriptedPeer {
public:
    using Script = std::function<void(PeerConnection&)>;
    explicit ScriptedPeer(Script script, int connections = 1);
    ~ScriptedPeer();
    int port() const { return port_; }
    std::string received();  // every byte the clients sent, in order
    int accepted() const { return accepted_; }

private:
    void run(int connections);
    Script script_;
    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    std::atomic<int> accepted_{0};
    std::thread thread_;
    std::mutex mutex_;
    std::string received_;
    friend class PeerConnection;
};

// A port on 127.0.0.1 where nothing listens.
int closedPort();

}  // namespace testing_support
