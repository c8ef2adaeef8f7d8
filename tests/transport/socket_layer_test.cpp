// The socket layer against scripted peers on 127.0.0.1: reply lines, data
// blocks, the wait and its abort, SMTP reply codes and connecting.
#include <gtest/gtest.h>

#include <string>

#include "support/scripted_peer.h"
#include "support/win32_support.h"
#include "frame/abort_flag.h"
#include "transport/socket_layer.h"
#include "utilities.h"

using namespace testing_support;
using namespace util;

namespace {

class SocketLayer : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(startSockets(), 0);
        AbortComms(0);
        setReadTimeoutMs(kReadTimeoutMs);
    }
    void TearDown() override {
        setReadTimeoutMs(kReadTimeoutMs);
        AbortComms(0);
        stopSockets();
    }
    SOCKET connectPeer(const ScriptedPeer& peer) {
        SOCKET s = connectTo("127.0.0.1", kServicePop3, peer.port());
        EXPECT_NE(s, INVALID_SOCKET);
        return s;
    }
};

}  // namespace

TEST_F(SocketLayer, LinesEndAtTheLineFeedAndLeaveTheRestUnread) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.send("+OK ready\r\nsecond\nrest of the data");
        c.waitForClose();
    });
    SOCKET s = connectPeer(peer);
    char buffer[64];
    ASSERT_EQ(readLine(s, buffer, kPop3LineMax), 11);
    EXPECT_EQ(std::string(buffer, 11), "+OK ready\r\n");
    ASSERT_EQ(readLine(s, buffer, kPop3LineMax), 7);
    EXPECT_EQ(std::string(buffer, 7), "second\n");
    int n = readBlock(s, buffer, sizeof buffer);
    EXPECT_EQ(std::string(buffer, n > 0 ? n : 0), "rest of the data");
    closesocket(s);
}

TEST_F(SocketLayer, ALineLongerThanTheMaximumOrCutShortFails) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.send(std::string(40, 'x') + "\r\n");
        c.send("no line feed");
        c.close();
    });
    SOCKET s = connectPeer(peer);
    char buffer[64];
    EXPECT_EQ(readLine(s, buffer, 16), -1);
    char rest[64];
    // What is left of the long line, then text without a line feed before the close.
    EXPECT_EQ(readLine(s, rest, 64), 40 - 16 + 2);
    EXPECT_EQ(readLine(s, rest, 64), -1);
    EXPECT_EQ(readBlock(s, rest, 64), -1) << "a closed connection is an error for the block reader";
    closesocket(s);
}

TEST_F(SocketLayer, ASilentServerTimesOut) {
    setReadTimeoutMs(600);
    ScriptedPeer peer([](PeerConnection& c) {
        c.send("partial");
        c.waitForClose(5000);
    });
    SOCKET s = connectPeer(peer);
    char buffer[64];
    DWORD start = GetTickCount();
    EXPECT_EQ(readLine(s, buffer, kPop3LineMax), -1);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 550u);
    EXPECT_EQ(readBlock(s, buffer, 64), 0) << "the block reader's time-out gives 0";
    closesocket(s);
}

TEST_F(SocketLayer, AbortCommsEndsTheWaitInProgressOnly) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.waitForClose(8000);
    });
    SOCKET s = connectPeer(peer);
    // In the host, AbortComms comes from a window procedure; here a second
    // thread calls it while the block reader waits.
    std::thread aborter([] {
        Sleep(300);
        AbortComms(1);
    });
    char buffer[8];
    DWORD start = GetTickCount();
    EXPECT_EQ(readBlock(s, buffer, sizeof buffer), -1);
    EXPECT_LT(GetTickCount() - start, 2000u);
    aborter.join();
    // The flag stays set, but a later wait is not cut short by it.
    EXPECT_EQ(abortFlag(), 1);
    setReadTimeoutMs(300);
    start = GetTickCount();
    EXPECT_EQ(readBlock(s, buffer, sizeof buffer), 0);
    EXPECT_GE(GetTickCount() - start, 250u);
    closesocket(s);
}

TEST_F(SocketLayer, SmtpRepliesRunToTheirLastLine) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.send("220-first line\r\n220-second\r\n220 ready\r\nno digits here\r\n000 zero\r\n  354 go ahead\r\n");
        c.send("25\r\n250-a\r\n");
        Sleep(300);
        c.send("250-b\r\n250 c\r\n+OK pop3\r\n250-cut");
        c.close();
    });
    SOCKET s = connectPeer(peer);
    EXPECT_EQ(smtpReplyCode(s), 220);
    EXPECT_STREQ(transport().smtpReply, "220 ready\r\n") << "the buffer keeps the last line";
    EXPECT_EQ(smtpReplyCode(s), -1);
    EXPECT_EQ(smtpReplyCode(s), -1);
    EXPECT_EQ(smtpReplyCode(s), 354);
    EXPECT_EQ(smtpReplyCode(s), 25);
    EXPECT_EQ(smtpReplyCode(s), 250) << "lines arriving later belong to the same reply";
    EXPECT_STREQ(transport().smtpReply, "250 c\r\n");
    char line[kReplySize + 1];
    EXPECT_EQ(readReply(s, line, kPop3LineMax, ReplyEnd::FirstLine), 10);
    EXPECT_STREQ(line, "+OK pop3\r\n");
    EXPECT_EQ(smtpReplyCode(s), -1) << "a reply cut short by the close";
    EXPECT_STREQ(transport().smtpReply, "");
    closesocket(s);
}

TEST_F(SocketLayer, ConnectFailsForAClosedPortAnUnknownHostOrSelector) {
    EXPECT_EQ(connectTo("127.0.0.1", kServicePop3, closedPort()), INVALID_SOCKET);
    EXPECT_EQ(connectTo("no-such-host.invalid", kServiceSmtp, 25), INVALID_SOCKET);
    EXPECT_EQ(connectTo("127.0.0.1", 3, 0), INVALID_SOCKET);
    EXPECT_EQ(connectTo(nullptr, kServiceSmtp, 25), INVALID_SOCKET);
}

TEST_F(SocketLayer, SendAllDeliversEveryByte) {
    std::string big;
    for (int i = 0; big.size() < 3000000; ++i) big += "line " + std::to_string(i) + "\r\n";
    ScriptedPeer peer([](PeerConnection& c) { c.readAll(); });
    SOCKET s = connectPeer(peer);
    EXPECT_TRUE(sendAll(s, big.data(), static_cast<int>(big.size())));
    closesocket(s);
    waitUntil([&] { return peer.received().size() == big.size(); }, 10000);
    EXPECT_EQ(peer.received().size(), big.size());
    EXPECT_TRUE(peer.received() == big);
}
