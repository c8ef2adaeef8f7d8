// SASL against scripted peers on 127.0.0.1, for what the real servers of
// the tests do not do: a server that offers XOAUTH2 only (as Microsoft's
// do), whose refusal is a "+" or "334" challenge a careless client takes
// for success, and an SMTP server that offers PLAIN and not LOGIN. The
// record's access token is the one kept in memory, as after a sign-in.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "support/recorder.h"
#include "support/scripted_peer.h"
#include "support/shell_install.h"
#include "support/win32_support.h"
#include "transport/oauth_tokens.h"
#include "transport/socket_layer.h"
#include "utilities.h"

using namespace testing_support;

namespace {

// {"status":"401","schemes":"Bearer","scope":"https://mail.google.com/"}
constexpr char kChallenge[] =
    "eyJzdGF0dXMiOiI0MDEiLCJzY2hlbWVzIjoiQmVhcmVyIiwic2NvcGUiOiJodHRwczovL21haWwuZ29vZ2xlLmNvbS8ifQ==";
// base64 of "user=ann@example.com^Aauth=Bearer at-kept^A^A"
constexpr char kResponse[] = "dXNlcj1hbm5AZXhhbXBsZS5jb20BYXV0aD1CZWFyZXIgYXQta2VwdAEB";

class SaslPeer : public ::testing::Test {
protected:
    void SetUp() override {
        recorder = std::make_unique<Recorder>();
        AbortComms(0);
        util::setReadTimeoutMs(5000);
    }
    void TearDown() override {
        recorder.reset();
        util::setReadTimeoutMs(util::kReadTimeoutMs);
    }
    // A record that signed in with Google, its access token kept.
    void signedIn(const char* section, const std::string& stored) {
        install.set(section, "auth0", "google");
        install.set(section, "token0", stored);
        util::keepAccessToken(stored, "at-kept", 3600);
    }

    Install install;
    std::unique_ptr<Recorder> recorder;
};

// XOAUTH2 is taken when it is all the server offers; its error challenge is
// answered with an empty line and its status reported, and -1: the "+" is
// no success.
TEST_F(SaslPeer, Pop3AnswersTheXoauth2ErrorChallengeAndFails) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.send("+OK ready\r\n");
        if (c.readLine() != "CAPA\r\n") return;
        c.send("+OK\r\nUSER\r\nSASL PLAIN XOAUTH2\r\n.\r\n");
        if (c.readLine() != "AUTH XOAUTH2\r\n") return;
        c.send("+ \r\n");
        c.readLine();
        c.send(std::string("+ ") + kChallenge + "\r\n");
        if (c.readLine() != "\r\n") return;
        c.send("-ERR [AUTH] Invalid credentials\r\n");
        c.waitForClose();
    });
    install.set("incoming", "node0", "127.0.0.1");
    install.set("incoming", "port0", std::to_string(peer.port()));
    install.set("incoming", "user0", "ann@example.com");
    signedIn("incoming", "pop-stored");
    EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "ann@example.com", "ignored", peer.port()), -1);
    ClosePop3(-1);
    EXPECT_EQ(peer.received(), "CAPA\r\nAUTH XOAUTH2\r\n" + std::string(kResponse) + "\r\n\r\n")
        << "the token, then the empty answer; no password";
    ASSERT_GE(recorder->status.size(), 2u);
    EXPECT_EQ(recorder->status[recorder->status.size() - 2], "-ERR [AUTH] Invalid credentials");
    EXPECT_EQ(recorder->status.back(), "127.0.0.1 refused the sign-in (401)");
    EXPECT_TRUE(recorder->eventsHave("127.0.0.1 refused the sign-in (401)"));
}

TEST_F(SaslPeer, SmtpAnswersTheXoauth2ErrorChallengeAndFails) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.send("220 ready\r\n");
        c.readLine();
        c.send("250-peer\r\n250 AUTH LOGIN XOAUTH2\r\n");
        if (c.readLine() != "AUTH XOAUTH2\r\n") return;
        c.send("334 \r\n");
        c.readLine();
        c.send(std::string("334 ") + kChallenge + "\r\n");
        if (c.readLine() != "\r\n") return;
        c.send("535 5.7.8 Username and Password not accepted\r\n");
        c.waitForClose();
    });
    const std::string record = "127.0.0.1:" + std::to_string(peer.port()) + "::0:1:YW5uQGV4YW1wbGUuY29t::";
    install.set("outgoing", "server0", record);
    signedIn("outgoing", "smtp-stored");
    std::string text = record;
    ASSERT_EQ(InitSMTP(), 0);
    EXPECT_EQ(OpenSMTP(nullptr, 0, text.data(), 0), -1);
    CloseSMTP(-1);
    const std::string received = peer.received();
    EXPECT_NE(received.find("AUTH XOAUTH2\r\n" + std::string(kResponse) + "\r\n\r\n"), std::string::npos) << received;
    EXPECT_EQ(received.find("AUTH LOGIN"), std::string::npos);
    EXPECT_TRUE(recorder->statusHas("535 5.7.8 Username and Password not accepted"));
    EXPECT_EQ(recorder->status.back(), "127.0.0.1 refused the sign-in (401)");
}

// A relay with a password whose server offers PLAIN and not LOGIN.
TEST_F(SaslPeer, SmtpLogsInWithPlainWhenLoginIsNotOffered) {
    ScriptedPeer peer([](PeerConnection& c) {
        c.send("220 ready\r\n");
        c.readLine();
        c.send("250-peer\r\n250 AUTH PLAIN XOAUTH2\r\n");
        c.send(c.readLine() == "AUTH PLAIN AHJlbGF5dXNlcgByZWxheXBhc3M=\r\n" ? "235 ok\r\n" : "504 no\r\n");
        if (c.readLine() == "QUIT\r\n") c.send("221 bye\r\n");
        c.waitForClose();
    });
    std::string record = "127.0.0.1:" + std::to_string(peer.port()) + "::0:1:cmVsYXl1c2Vy:cmVsYXlwYXNz:";
    ASSERT_EQ(InitSMTP(), 0);
    int s = OpenSMTP(nullptr, 0, record.data(), 0);
    EXPECT_NE(s, -1);
    CloseSMTP(s);
    EXPECT_TRUE(recorder->statusHas("SMTP login OK"));
}

}  // namespace
