// The SMTP exports through the real utilities.dll against scripted peers:
// the exact conversations, the refusals at every step, the replies after
// the data, a cut connection and an abort inside DATA.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <string>
#include <vector>

#include "support/recorder.h"
#include "support/scripted_peer.h"
#include "support/install.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

const auto* const installEnvironment =
    ::testing::AddGlobalTestEnvironment(Install::forProgram());

std::string install(const std::string& name) { return Install::program().file(name); }

// The status texts, joined for a failure's message.
std::string joined(const std::vector<std::string>& texts) {
    std::string all;
    for (const auto& t : texts) all += t + "|";
    return all;
}

// What the scripted relay answers; the conversation itself is kept by the peer.
struct Relay {
    std::string greeting = "220 scripted ready\r\n";
    std::string hello = "250 hello\r\n";
    std::vector<std::string> auth = {"334 VXNlcm5hbWU6\r\n", "334 UGFzc3dvcmQ6\r\n", "235 welcome\r\n"};
    std::string mail = "250 sender ok\r\n";
    std::function<std::string(const std::string&)> rcpt = [](const std::string& line) {
        return line.find("refuse") != std::string::npos ? "550 no such user\r\n" : "250 recipient ok\r\n";
    };
    std::string data = "354 go ahead\r\n";
    std::string afterDot = "250 queued\r\n";
    bool cutInData = false;
    std::string message;  // the data as received, end-of-data line included
    // A pause after each line of the greeting and of the HELO or EHLO reply
    // but the last; a client that talks meanwhile is refused, as servers
    // that screen their clients do.
    int linePauseMs = 0;
};

// Sends a reply line by line with the relay's pauses; false (after the
// refusal) when the client talked before the last line.
bool sendPaused(PeerConnection& c, const Relay& r, const std::string& reply) {
    for (std::size_t at = 0; at < reply.size();) {
        std::size_t end = reply.find('\n', at);
        end = end == std::string::npos ? reply.size() : end + 1;
        c.send(reply.substr(at, end - at));
        at = end;
        if (at < reply.size() && r.linePauseMs > 0 && !c.quietFor(r.linePauseMs)) {
            c.send("554 5.5.1 protocol error: talking too early\r\n");
            c.waitForClose();
            return false;
        }
    }
    return true;
}

ScriptedPeer::Script relayScript(Relay& r) {
    return [&r](PeerConnection& c) {
        if (!sendPaused(c, r, r.greeting)) return;
        if (r.greeting.rfind("220", 0) != 0) {
            c.waitForClose();
            return;
        }
        for (;;) {
            std::string line = c.readLine();
            if (line.empty()) return;
            std::string verb = line.substr(0, 4);
            if (verb == "HELO" || verb == "EHLO") {
                if (!sendPaused(c, r, r.hello)) return;
            } else if (line == "AUTH LOGIN\r\n") {
                for (std::size_t i = 0; i < r.auth.size(); ++i) {
                    c.send(r.auth[i]);
                    if (r.auth[i][0] != '3') break;
                    c.readLine();
                }
            } else if (verb == "MAIL") {
                c.send(r.mail);
            } else if (verb == "RCPT") {
                c.send(r.rcpt(line));
            } else if (verb == "DATA") {
                c.send(r.data);
                if (r.data.rfind("354", 0) != 0) continue;
                if (r.cutInData) {
                    c.readLine();
                    return;
                }
                r.message = c.readUntilDot();
                c.send(r.afterDot);
            } else if (verb == "RSET") {
                c.send("250 reset\r\n");
            } else if (verb == "QUIT") {
                c.send("221 bye\r\n");
                c.waitForClose();
                return;
            } else {
                c.send("500 unknown\r\n");
            }
        }
    };
}

std::string relayRecord(int port, const std::string& sendAs = "", int rewrite = 0, int auth = 0,
                        const std::string& account = "", const std::string& password = "") {
    return "127.0.0.1:" + std::to_string(port) + ":" + sendAs + ":" + std::to_string(rewrite) + ":" +
           std::to_string(auth) + ":" + account + ":" + password + ":";
}

class SmtpSession : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteFileA(install("ms.ini").c_str());
        AbortComms(0);
        ASSERT_EQ(InitSMTP(), 0);
    }
    void TearDown() override { AbortComms(0); }
    // Opens a session with the relay record; -1 when refused.
    int open(const std::string& record) {
        std::vector<char> text(record.begin(), record.end());
        text.push_back('\0');
        return OpenSMTP(nullptr, 0, text.data(), 0);
    }
    std::string message(const std::string& name, const std::string& bytes) {
        std::string path = install(name);
        writeFile(path, bytes);
        return path;
    }
    int send(int s, const std::string& file, const std::string& envelope = "", HWND progress = nullptr) {
        errorText.assign(1100, '#');
        return SendMailSMTP(s, file.c_str(), envelope.c_str(), progress, errorText.data());
    }
    std::string error() const { return std::string(errorText.c_str()); }

    Recorder recorder;
    std::string errorText;
};

const char kMessage[] =
    "From: Sender Name <sender@office.example>\r\n"
    "To: ann@a.example, refuse-bob@b.example,\r\n"
    "  \"Carl\" <refuse-carl@c.example>\r\n"
    "Cc: dora@d.example\r\n"
    "Bcc: eve@e.example\r\n"
    "Subject: dots\r\n"
    "\r\n"
    ".starts with a dot\r\n"
    "..two dots\r\n"
    "a middle . dot\r\n"
    ".\r\n";

}  // namespace

TEST_F(SmtpSession, PlainRelayGreetsWithHeloAndTheConfiguredName) {
    Relay r;
    r.greeting = "220-first greeting line\r\n220 second\r\n";
    ScriptedPeer peer(relayScript(r), 3);

    // Domain in single-domain mode; smtp-outgoing otherwise; a placeholder when missing.
    ASSERT_TRUE(writeFile(install("ms.ini"), "[domain]\r\nDomain=office.example\r\nsmtp-outgoing=out.example\r\n"));
    std::string record = relayRecord(peer.port());
    std::vector<char> text(record.begin(), record.end());
    text.push_back('\0');
    int s = OpenSMTP(nullptr, 0, text.data(), 0);
    ASSERT_NE(s, -1);
    EXPECT_STREQ(text.data(), "127.0.0.1") << "the caller's record is cut at each colon";
    EXPECT_EQ(CloseSMTP(s), 0);

    ASSERT_TRUE(writeFile(install("ms.ini"), "[domain]\r\nuse=0\r\nDomain=office.example\r\nsmtp-outgoing=out.example\r\n"));
    ASSERT_EQ(InitSMTP(), 0);
    s = open(record);
    ASSERT_NE(s, -1);
    CloseSMTP(s);

    DeleteFileA(install("ms.ini").c_str());
    ASSERT_EQ(InitSMTP(), 0);
    s = open(record);
    ASSERT_NE(s, -1);
    CloseSMTP(s);

    waitUntil([&] { return peer.received().find("QUIT", peer.received().rfind("HELO")) != std::string::npos; }, 5000);
    EXPECT_EQ(peer.received(),
              "HELO office.example\r\nQUIT\r\n"
              "HELO out.example\r\nQUIT\r\n"
              "HELO domain-not-set.invalid\r\nQUIT\r\n");
    EXPECT_TRUE(recorder.statusHas("Connecting to 127.0.0.1"));
    EXPECT_TRUE(recorder.statusHas("Disconnected from SMTP server"));
}

TEST_F(SmtpSession, EhloWithAMultiLineReplyThenAuthLoginWithTheStoredFields) {
    Relay r;
    r.hello = "250-relay.example hello\r\n250-SIZE 10240000\r\n250-AUTH LOGIN PLAIN\r\n250 8BITMIME\r\n";
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port(), "me@relay.example", 0, 1, "bWVAcmVsYXk=", "c2VjcmV0"));
    ASSERT_NE(s, -1) << joined(recorder.status);
    EXPECT_TRUE(recorder.statusHas("Authenticating..."));
    EXPECT_TRUE(recorder.statusHas("SMTP login OK"));
    CloseSMTP(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 5000);
    EXPECT_EQ(peer.received(), "EHLO relay.example\r\nAUTH LOGIN\r\nbWVAcmVsYXk=\r\nc2VjcmV0\r\nQUIT\r\n");
}

TEST_F(SmtpSession, GreetingAndEhloRepliesAreReadToTheirLastLineBeforeTalking) {
    Relay r;
    r.greeting = "220-relay.example screening\r\n220 ready\r\n";
    r.hello = "250-relay.example hello\r\n250 AUTH LOGIN\r\n";
    r.linePauseMs = 1500;
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port(), "", 0, 1, "YQ==", "Yg=="));
    ASSERT_NE(s, -1) << joined(recorder.status);
    EXPECT_TRUE(recorder.statusHas("SMTP login OK"));
    CloseSMTP(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 5000);
    EXPECT_EQ(peer.received(), "EHLO domain-not-set.invalid\r\nAUTH LOGIN\r\nYQ==\r\nYg==\r\nQUIT\r\n");
}

TEST_F(SmtpSession, RefusalsWhileOpening) {
    struct Case {
        const char* name;
        std::function<void(Relay&)> setup;
        int auth;
        const char* shown;
    } cases[] = {
        {"greeting 554", [](Relay& r) { r.greeting = "554 go away\r\n"; }, 0, "Server not ready"},
        {"greeting without a digit", [](Relay& r) { r.greeting = "hello there\r\n"; }, 0, "Network error"},
        {"greeting of zeros", [](Relay& r) { r.greeting = "000 zero\r\n"; }, 0, "Network error"},
        {"HELO refused", [](Relay& r) { r.hello = "501 bad name\r\n"; }, 0, "501 bad name"},
        {"AUTH LOGIN refused", [](Relay& r) { r.auth = {"504 not here\r\n"}; }, 1, "504 not here"},
        {"account refused", [](Relay& r) { r.auth = {"334 a\r\n", "535 who\r\n"}; }, 1, "535 who"},
        {"password refused", [](Relay& r) { r.auth = {"334 a\r\n", "334 b\r\n", "535 wrong\r\n"}; }, 1,
         "535 wrong"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Relay r;
        c.setup(r);
        ScriptedPeer peer(relayScript(r));
        recorder.clear();
        ASSERT_EQ(InitSMTP(), 0);
        EXPECT_EQ(open(relayRecord(peer.port(), "", 0, c.auth, "YQ==", "Yg==")), -1);
        EXPECT_TRUE(recorder.statusHas(c.shown)) << joined(recorder.status);
        EXPECT_EQ(CloseSMTP(0), 0);
        EXPECT_EQ(peer.received().find("QUIT"), std::string::npos) << "no QUIT after a failed open";
        EXPECT_FALSE(recorder.statusHas("Disconnected from SMTP server"));
    }
    recorder.clear();
    ASSERT_EQ(InitSMTP(), 0);
    EXPECT_EQ(open(relayRecord(closedPort())), -1);
    EXPECT_TRUE(recorder.statusHas("Cannot connect to 127.0.0.1")) << joined(recorder.status);
    CloseSMTP(0);
}

TEST_F(SmtpSession, ARecordWithAnOverLongFieldIsRefusedBeforeConnecting) {
    // A field cut short would name another relay or account, which would be
    // sent the login: such a record is never used, a 255-character one is.
    const std::string longest(255, 'a'), tooLong(256, 'a');
    Relay r;
    r.hello = "250-relay.example hello\r\n250 AUTH LOGIN\r\n";
    r.auth = {"334 a\r\n", "334 b\r\n", "235 ok\r\n"};
    for (auto [account, password] : {std::pair{tooLong, std::string("Yg==")}, std::pair{std::string("YQ=="), tooLong}}) {
        ScriptedPeer peer(relayScript(r));
        recorder.clear();
        ASSERT_EQ(InitSMTP(), 0);
        EXPECT_EQ(open(relayRecord(peer.port(), "", 0, 1, account, password)), -1);
        EXPECT_TRUE(recorder.statusHas("Cannot connect to 127.0.0.1")) << joined(recorder.status);
        CloseSMTP(0);
        EXPECT_EQ(peer.accepted(), 0);
    }
    ScriptedPeer peer(relayScript(r));
    ASSERT_EQ(InitSMTP(), 0);
    int s = open(relayRecord(peer.port(), "", 0, 1, longest, longest));
    ASSERT_NE(s, -1) << joined(recorder.status);
    CloseSMTP(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 5000);
    EXPECT_EQ(peer.received(), "EHLO domain-not-set.invalid\r\nAUTH LOGIN\r\n" + longest + "\r\n" + longest + "\r\nQUIT\r\n");
}

TEST_F(SmtpSession, HeaderModeSendsEveryRecipientAndTheStuffedText) {
    Relay r;
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port()));
    ASSERT_NE(s, -1);
    std::string file = message("header.txt", kMessage);
    EXPECT_EQ(send(s, file, "", recorder.progressWindow()), 0) << joined(recorder.status);
    EXPECT_EQ(error(), std::string(1100, '#')) << "errorText untouched";
    CloseSMTP(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 5000);

    std::string received = peer.received();
    std::string envelope = received.substr(0, received.find("DATA\r\n"));
    EXPECT_EQ(envelope,
              "HELO domain-not-set.invalid\r\nMAIL FROM:<sender@office.example>\r\n"
              "RCPT TO:<ann@a.example>\r\nRCPT TO:<refuse-bob@b.example>\r\nRCPT TO:<refuse-carl@c.example>\r\n"
              "RCPT TO:<dora@d.example>\r\nRCPT TO:<eve@e.example>\r\n");
    std::string body = std::string(kMessage);
    EXPECT_EQ(r.message,
              body.substr(0, body.find("\r\n\r\n") + 4) +
                  "..starts with a dot\r\n...two dots\r\na middle . dot\r\n..\r\n.\r\n");
    EXPECT_TRUE(recorder.statusHas("Delivering to ann@a.example ..."));
    EXPECT_TRUE(recorder.statusHas("Error: address refused - refuse-bob@b.example"));
    EXPECT_TRUE(recorder.statusHas("Error: address refused - refuse-carl@c.example"));
    EXPECT_TRUE(recorder.statusHas("Delivering to eve@e.example ...")) << "Bcc: is a Bcc line";
    // Progress after every line, up to the file's size on disk.
    ASSERT_FALSE(recorder.progress.empty());
    std::string total = std::to_string(body.size());
    EXPECT_EQ(recorder.progress.back(), "Delivering (0," + total + " of 0," + total + ")...");
}

TEST_F(SmtpSession, HeaderModeFailures) {
    Relay r;
    r.rcpt = [](const std::string&) { return std::string("550 nobody\r\n"); };
    r.mail = "250 ok\r\n";
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port()));
    ASSERT_NE(s, -1);

    EXPECT_EQ(send(s, message("nosender.txt", "From: Just A Name\r\nTo: a@b\r\n\r\nbody\r\n")), -1);
    EXPECT_TRUE(recorder.statusHas("Error: missing sender email address"));
    EXPECT_EQ(send(s, message("refused.txt", "From: a@b\r\nTo: x@y, z@w\r\n\r\nbody\r\n")), -1);
    EXPECT_TRUE(recorder.statusHas("Error: missing recipient email addresses"));
    EXPECT_EQ(send(s, install("missing.txt")), -1);
    CloseSMTP(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 5000);
    EXPECT_EQ(peer.received(),
              "HELO domain-not-set.invalid\r\nMAIL FROM:<a@b>\r\nRCPT TO:<x@y>\r\nRCPT TO:<z@w>\r\nRSET\r\nQUIT\r\n");
    EXPECT_EQ(error(), std::string(1100, '#'));

    Relay refusing;
    refusing.mail = "553 sender refused\r\n";
    ScriptedPeer second(relayScript(refusing));
    ASSERT_EQ(InitSMTP(), 0);
    s = open(relayRecord(second.port()));
    EXPECT_EQ(send(s, message("m.txt", "From: a@b\r\nTo: x@y\r\n\r\nbody\r\n")), -2);
    CloseSMTP(s);
}

TEST_F(SmtpSession, SendAsWithRewriteReplacesTheSenderAndTheFromLine) {
    Relay r;
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port(), "office@relay.example", 1));
    ASSERT_NE(s, -1);
    std::string file = message("rewrite.txt",
                               "From: Someone <someone@inside.example>\r\nTo: x@y\r\n\r\nFrom: a body line\r\n");
    EXPECT_EQ(send(s, file), 0);
    CloseSMTP(s);
    EXPECT_TRUE(recorder.statusHas("Sending as office@relay.example"));
    EXPECT_NE(peer.received().find("HELO relay.example\r\nMAIL FROM:<office@relay.example>\r\n"), std::string::npos);
    EXPECT_EQ(r.message, "From: office@relay.example\r\nTo: x@y\r\n\r\nFrom: a body line\r\n.\r\n");
}

TEST_F(SmtpSession, EnvelopeModeSendsTheStoredLines) {
    Relay r;
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port()));
    ASSERT_NE(s, -1);
    std::string file = message("env.txt", "From: header@ignored.example\r\nTo: h@ignored\r\n\r\nbody\r\n");
    std::string envelope = message("env.adr",
                                   "MAIL FROM: <owner@office.example>\r\nRCPT TO: <ann@a.example>\r\n"
                                   "RCPT TO: <refuse-x@b.example>\r\nRCPT TO: <dora@d.example>\r\n");
    EXPECT_EQ(send(s, file, envelope), 0) << joined(recorder.status);
    CloseSMTP(s);
    waitUntil([&] { return peer.received().find("QUIT") != std::string::npos; }, 5000);
    EXPECT_EQ(peer.received().substr(0, peer.received().find("DATA")),
              "HELO domain-not-set.invalid\r\nMAIL FROM:<owner@office.example>\r\nRCPT TO: <ann@a.example>\r\n"
              "RCPT TO: <refuse-x@b.example>\r\nRCPT TO: <dora@d.example>\r\n");
    EXPECT_TRUE(recorder.statusHas("Delivering from owner@office.example"));
    EXPECT_TRUE(recorder.statusHas("Delivering to  <ann@a.example>"));
    EXPECT_TRUE(recorder.statusHas("Error: address refused  <refuse-x@b.example>"));
    EXPECT_EQ(r.message, "From: header@ignored.example\r\nTo: h@ignored\r\n\r\nbody\r\n.\r\n");
}

// The message arrives as it was: the end of data follows its last line end,
// and a text without one gets its line end first.
TEST_F(SmtpSession, TheEndOfDataAddsNoEmptyLine) {
    struct Row {
        const char* text;
        const char* wire;
    };
    const Row rows[] = {
        {"To: a@b\r\n\r\nlast line\r\n", "To: a@b\r\n\r\nlast line\r\n.\r\n"},
        {"To: a@b\r\n\r\nlast line", "To: a@b\r\n\r\nlast line\r\n.\r\n"},
        {"To: a@b\n\nbare line feeds\n", "To: a@b\r\n\r\nbare line feeds\r\n.\r\n"},
        {"To: a@b\r\n\r\nends in an empty line\r\n\r\n", "To: a@b\r\n\r\nends in an empty line\r\n\r\n.\r\n"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.text);
        Relay r;
        ScriptedPeer peer(relayScript(r));
        int s = open(relayRecord(peer.port()));
        ASSERT_NE(s, -1);
        std::string envelope = message("end.adr", "MAIL FROM: <owner@office.example>\r\nRCPT TO: <ann@a.example>\r\n");
        EXPECT_EQ(send(s, message("end.txt", row.text), envelope), 0) << joined(recorder.status);
        CloseSMTP(s);
        EXPECT_EQ(r.message, row.wire);
    }
}

TEST_F(SmtpSession, EnvelopeModeFailures) {
    Relay r;
    r.mail = "553 bad sender\r\n";
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port()));
    ASSERT_NE(s, -1);
    std::string file = message("e.txt", "Subject: x\r\n\r\nbody\r\n");

    EXPECT_EQ(send(s, file, message("rcptonly.adr", "RCPT TO: <a@b>\r\n")), -2);
    EXPECT_TRUE(recorder.statusHas("Error: missing sender email address"));
    EXPECT_EQ(error(), std::string(1100, '#'));

    EXPECT_EQ(send(s, file, install("missing.adr")), -2);
    EXPECT_TRUE(recorder.statusHas("Error: file open"));

    EXPECT_EQ(send(s, file, message("bad.adr", "MAIL FROM: <bad@x>\r\nRCPT TO: <a@b>\r\n")), -2);
    EXPECT_EQ(error(), "Error invalid sender bad@x");
    CloseSMTP(s);

    Relay refusing;
    refusing.rcpt = [](const std::string&) { return std::string("550 no\r\n"); };
    ScriptedPeer second(relayScript(refusing));
    ASSERT_EQ(InitSMTP(), 0);
    s = open(relayRecord(second.port()));
    recorder.clear();
    EXPECT_EQ(send(s, file, message("none.adr", "MAIL FROM: <ok@x>\r\nRCPT TO: <a@b>\r\n")), -2);
    EXPECT_TRUE(recorder.statusHas("Error: no email addresses detected")) << joined(recorder.status);
    CloseSMTP(s);
    waitUntil([&] { return second.received().find("QUIT") != std::string::npos; }, 5000);
    EXPECT_NE(second.received().find("RCPT TO: <a@b>\r\nRSET\r\nQUIT\r\n"), std::string::npos);
}

TEST_F(SmtpSession, RepliesAfterTheData) {
    struct Case {
        const char* afterDot;
        int result;
        std::vector<std::string> shown;
    } cases[] = {
        {"554 5.7.1 content refused\r\n", 0, {"Error: sending dot2", "554 5.7.1 content refused"}},
        {"451 4.3.0 try again later\r\n", -1,
         {"Error: sending dot2", "451 4.3.0 try again later", "Error: Cannot send mail"}},
        {"queued, thank you\r\n", -1, {"Error: sending dot1", "queued, thank you", "Error: Cannot send mail"}},
        {"000 zero\r\n", -1, {"Error: sending dot1", "000 zero"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.afterDot);
        Relay r;
        r.afterDot = c.afterDot;
        ScriptedPeer peer(relayScript(r));
        ASSERT_EQ(InitSMTP(), 0);
        int s = open(relayRecord(peer.port()));
        ASSERT_NE(s, -1);
        recorder.clear();
        EXPECT_EQ(send(s, message("d.txt", "From: a@b\r\nTo: c@d\r\n\r\nbody\r\n")), c.result);
        for (const std::string& text : c.shown) EXPECT_TRUE(recorder.statusHas(text)) << text << " in " << joined(recorder.status);
        CloseSMTP(s);
    }
}

TEST_F(SmtpSession, DataRefusedOrCutShort) {
    Relay refusing;
    refusing.data = "451 no data now\r\n";
    ScriptedPeer peer(relayScript(refusing));
    int s = open(relayRecord(peer.port()));
    EXPECT_EQ(send(s, message("d.txt", "From: a@b\r\nTo: c@d\r\n\r\nbody\r\n")), -1);
    EXPECT_TRUE(recorder.statusHas("451 no data now"));
    EXPECT_TRUE(recorder.statusHas("Error: Cannot send mail"));
    CloseSMTP(s);

    Relay cutting;
    cutting.cutInData = true;
    ScriptedPeer second(relayScript(cutting));
    ASSERT_EQ(InitSMTP(), 0);
    s = open(relayRecord(second.port()));
    std::string big = "From: a@b\r\nTo: c@d\r\n\r\n";
    for (int i = 0; big.size() < 3000000; ++i) big += "line " + std::to_string(i) + " of a long message\r\n";
    recorder.clear();
    DWORD start = GetTickCount();
    EXPECT_EQ(send(s, message("big.txt", big)), -1);
    EXPECT_LT(GetTickCount() - start, 20000u);
    EXPECT_TRUE(recorder.statusHas("Error: Cannot send mail")) << joined(recorder.status);
    CloseSMTP(s);
}

TEST_F(SmtpSession, AbortCommsDuringData) {
    std::string text = "From: a@b\r\nTo: c@d\r\n\r\n";
    for (int i = 0; i < 2000; ++i) text += "body line " + std::to_string(i) + "\r\n";
    std::string file = message("abort.txt", text);

    // From the progress window, as the executable's window would: the next
    // line is not sent, and closing does not wait for a QUIT reply.
    Relay r;
    r.cutInData = false;
    ScriptedPeer peer(relayScript(r));
    int s = open(relayRecord(peer.port()));
    recorder.onProgress = [&](const std::string&) {
        if (recorder.progress.size() == 11) AbortComms(1);
    };
    EXPECT_EQ(send(s, file, "", recorder.progressWindow()), -1);
    recorder.onProgress = nullptr;
    EXPECT_EQ(recorder.progress.size(), 11u);
    EXPECT_TRUE(recorder.statusHas("Aborting"));
    EXPECT_TRUE(recorder.statusHas("Error: Cannot send mail"));
    DWORD start = GetTickCount();
    CloseSMTP(s);
    EXPECT_LT(GetTickCount() - start, 3000u);
    EXPECT_TRUE(recorder.statusHas("Disconnected from SMTP server"));
    EXPECT_EQ(peer.received().find("QUIT"), std::string::npos);
    EXPECT_EQ(peer.received().find("body line 11\r\n"), std::string::npos);

    // A message waiting in the queue is dispatched by the pump before the
    // first line, and its AbortComms stops the transfer there.
    AbortComms(0);
    ScriptedPeer second(relayScript(r));
    ASSERT_EQ(InitSMTP(), 0);
    s = open(relayRecord(second.port()));
    TestWindow aborting([](HWND, UINT m, WPARAM, LPARAM) {
        if (m != WM_APP) return false;
        AbortComms(1);
        return true;
    });
    PostMessageA(aborting.hwnd(), WM_APP, 0, 0);
    EXPECT_EQ(send(s, file), -1);
    CloseSMTP(s);
    Sleep(200);
    std::string received = second.received();
    EXPECT_EQ(received.substr(received.find("DATA\r\n")), "DATA\r\n") << "no line of the message was sent";
}

TEST_F(SmtpSession, TheWindowStaysLiveDuringALongTransfer) {
    // A timer fires while the data is on its way; the pump between lines
    // dispatches it, and the AbortComms it calls ends the transfer.
    std::string text = "From: a@b\r\nTo: c@d\r\n\r\n";
    while (text.size() < 16000000) text += std::string(70, 'x') + "\r\n";
    std::string file = message("long.txt", text);
    // A relay slow to start reading the data, which it then reads in blocks.
    std::atomic<bool> drained{false};
    ScriptedPeer peer([&drained](PeerConnection& c) {
        c.send("220 ready\r\n");
        for (const char* reply : {"250 hello\r\n", "250 ok\r\n", "250 ok\r\n", "354 go\r\n"}) {
            c.readLine();
            c.send(reply);
        }
        Sleep(400);
        c.readAll();
        drained = true;
    });
    int s = open(relayRecord(peer.port()));
    ASSERT_NE(s, -1);
    bool fired = false;
    runLater(100, [&] {
        fired = true;
        AbortComms(1);
    });
    EXPECT_EQ(send(s, file), -1);
    EXPECT_TRUE(fired);
    EXPECT_TRUE(recorder.statusHas("Aborting")) << joined(recorder.status);
    CloseSMTP(s);
    ASSERT_TRUE(waitUntil([&] { return drained.load(); }, 10000));
    EXPECT_LT(peer.received().size(), text.size()) << "the rest of the message was not sent";
}

TEST_F(SmtpSession, ARelayThatRefusesStartTlsGetsNothingMore) {
    Relay r;
    ScriptedPeer peer(relayScript(r));
    // The encryption choice beside the record asks for STARTTLS; the relay
    // answers it as an unknown command.
    std::string record = relayRecord(peer.port(), "", 0, 1, "YQ==", "Yg==");
    ASSERT_TRUE(writeFile(install("ms.ini"), "[outgoing]\r\nserver0=" + record + "\r\ntls0=2\r\n"));
    EXPECT_EQ(open(record), -1);
    EXPECT_EQ(CloseSMTP(-1), 0);
    ASSERT_GE(recorder.status.size(), 2u);
    EXPECT_EQ(recorder.status[recorder.status.size() - 2], "500 unknown");
    EXPECT_EQ(recorder.status.back(), "TLS failed with 127.0.0.1: the server refused STARTTLS");
    EXPECT_FALSE(recorder.statusHas("Disconnected from SMTP server")) << "the session never counted as connected";
    waitUntil([&] { return peer.received().find("STARTTLS") != std::string::npos; }, 5000);
    Sleep(200);
    EXPECT_EQ(peer.received(), "EHLO domain-not-set.invalid\r\nSTARTTLS\r\n") << "no login in plain text";
}
