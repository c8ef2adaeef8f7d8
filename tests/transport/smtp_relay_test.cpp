// Delivery through a real relay (the private Postfix of tests/peers), from
// message files with and without envelopes: what arrives in the relay's
// maildir is compared with what was sent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "support/install.h"
#include "support/peers.h"
#include "support/win32_support.h"
#include "support/recorder.h"
#include "transport/wire_text.h"
#include "utilities.h"

using namespace testing_support;

namespace {

const auto* const installEnvironment =
    ::testing::AddGlobalTestEnvironment(Install::forProgram());

std::string install(const std::string& name) { return Install::program().file(name); }

std::string base64(const std::string& in) {
    static const char table[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < in.size(); i += 3) {
        unsigned v = (unsigned char)in[i] << 16 | (unsigned char)in[i + 1] << 8 | (unsigned char)in[i + 2];
        out += {table[v >> 18], table[v >> 12 & 63], table[v >> 6 & 63], table[v & 63]};
    }
    if (i + 1 == in.size()) {
        unsigned v = (unsigned char)in[i] << 16;
        out += {table[v >> 18], table[v >> 12 & 63], '=', '='};
    } else if (i + 2 == in.size()) {
        unsigned v = (unsigned char)in[i] << 16 | (unsigned char)in[i + 1] << 8;
        out += {table[v >> 18], table[v >> 12 & 63], table[v >> 6 & 63], '='};
    }
    return out;
}

std::string toLf(const std::string& crlf) {
    std::string out;
    out.reserve(crlf.size());
    for (std::size_t i = 0; i < crlf.size(); ++i)
        if (!(crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n')) out += crlf[i];
    return out;
}

class SmtpRelay : public ::testing::Test {
protected:
    void SetUp() override {
        settings = relaySettings();
        ASSERT_FALSE(settings["SMTP_PORT"].empty()) << "the relay is started by the smtp_relay fixture";
        maildir = windowsPath(settings["MAILDIR"]) + "\\new";
        SetLoghWnd(nullptr, nullptr);
        AbortComms(0);
        // A tag of this run, so tests running side by side find their own mail.
        tag = "t" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount());
        ASSERT_EQ(InitSMTP(), 0);
    }
    int open(const std::string& port, const std::string& auth = "0:::") {
        std::string record = "127.0.0.1:" + port + "::0:" + auth;
        std::vector<char> text(record.begin(), record.end());
        text.push_back('\0');
        return OpenSMTP(nullptr, 0, text.data(), 0);
    }
    std::string write(const std::string& name, const std::string& bytes) {
        std::string path = install(name);
        EXPECT_TRUE(writeFile(path, bytes));
        return path;
    }
    // The message delivered to the recipient, as the relay stored it; empty
    // when nothing came within the time.
    std::string delivered(const std::string& recipient, DWORD milliseconds = 20000) {
        return relayDelivered(maildir, recipient, milliseconds);
    }
    // The part of a delivered message from its first own header line on,
    // behind the lines the relay added.
    static std::string ownPart(const std::string& stored, const std::string& firstLine) {
        std::size_t at = stored.find("\n" + firstLine);
        return at == std::string::npos ? std::string() : stored.substr(at + 1);
    }
    std::map<std::string, std::string> settings;
    std::string maildir;
    std::string tag;
};

}  // namespace

TEST_F(SmtpRelay, HeaderModeWithDotsRefusalsAndBcc) {
    std::string ann = tag + "-ann@a.example", bob = "reject-" + tag + "@b.example";
    std::string carl = "tempfail-" + tag + "@c.example", dora = tag + "-dora@d.example";
    std::string message = "X-Test: " + tag + "\r\nFrom: Sender <sender@office.example>\r\nTo: " + ann + ",\r\n " +
                          bob + "\r\nCc: \"Carl\" <" + carl + ">\r\nBcc: " + dora +
                          "\r\nSubject: dots\r\n\r\n.leading dot\r\n..two\r\n.\r\nend . here\r\n";
    int s = open(settings["SMTP_PORT"]);
    ASSERT_NE(s, -1);
    char error[1100] = "untouched";
    EXPECT_EQ(SendMailSMTP(s, write(tag + ".txt", message).c_str(), "", nullptr, error), 0);
    EXPECT_STREQ(error, "untouched");
    CloseSMTP(s);

    // The relay takes the Bcc line out; the rest arrives as it was.
    std::string expected = toLf(message);
    expected.erase(expected.find("Bcc: "), std::string("Bcc: \n").size() + dora.size());
    EXPECT_EQ(ownPart(delivered(ann), "X-Test: "), expected);
    EXPECT_EQ(ownPart(delivered(dora), "X-Test: "), expected) << "a Bcc: recipient";
    EXPECT_EQ(delivered(bob, 500), "");
    EXPECT_EQ(delivered(carl, 500), "");
}

TEST_F(SmtpRelay, EnvelopeModeWithATenMegabyteAttachment) {
    std::string binary;
    binary.reserve(7500000);
    unsigned seed = 12345;
    while (binary.size() < 7500000) {
        seed = seed * 1103515245u + 12345u;
        binary += static_cast<char>(seed >> 16);
    }
    std::string encoded = base64(binary), lines;
    for (std::size_t i = 0; i < encoded.size(); i += 76) lines += encoded.substr(i, 76) + "\r\n";
    std::string message = "X-Test: " + tag + "\r\nFrom: header@not-used.example\r\nSubject: big\r\n"
                          "MIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=\"b1\"\r\n\r\n"
                          "--b1\r\nContent-Type: text/plain\r\n\r\n.see the attachment\r\n"
                          "--b1\r\nContent-Type: application/octet-stream\r\nContent-Transfer-Encoding: base64\r\n\r\n" +
                          lines + "--b1--\r\n";
    ASSERT_GT(message.size(), 10000000u);
    std::string ann = tag + "-big@a.example", refused = "reject-" + tag + "@b.example";
    std::string envelope = "MAIL FROM: <owner@office.example>\r\nRCPT TO: <" + refused + ">\r\nRCPT TO: <" + ann + ">\r\n";

    int s = open(settings["SMTP_PORT"]);
    ASSERT_NE(s, -1);
    char error[1100] = "";
    EXPECT_EQ(SendMailSMTP(s, write(tag + ".txt", message).c_str(), write(tag + ".adr", envelope).c_str(), nullptr,
                           error),
              0);
    CloseSMTP(s);
    std::string stored = delivered(ann, 60000);
    ASSERT_FALSE(stored.empty());
    EXPECT_NE(stored.find("Return-Path: <owner@office.example>\n"), std::string::npos);
    std::string own = ownPart(stored, "X-Test: ");
    EXPECT_EQ(own.size(), toLf(message).size());
    EXPECT_TRUE(own == toLf(message));
}

TEST_F(SmtpRelay, AuthLoginPortAndRepliesAfterTheData) {
    std::string user = base64(settings["AUTH_USER"]), password = base64(settings["AUTH_PASSWORD"]);
    std::string message = "X-Test: " + tag + "\r\nFrom: a@office.example\r\nTo: " + tag + "-auth@a.example\r\n\r\nhi\r\n";
    std::string file = write(tag + ".txt", message);

    // Without a login the relay takes no recipient.
    int s = open(settings["AUTH_PORT"]);
    ASSERT_NE(s, -1);
    EXPECT_EQ(SendMailSMTP(s, file.c_str(), "", nullptr, nullptr), -1);
    CloseSMTP(s);

    ASSERT_EQ(InitSMTP(), 0);
    EXPECT_EQ(open(settings["AUTH_PORT"], "1:" + user + ":" + base64("wrong") + ":"), -1);
    CloseSMTP(0);

    ASSERT_EQ(InitSMTP(), 0);
    s = open(settings["AUTH_PORT"], "1:" + user + ":" + password + ":");
    ASSERT_NE(s, -1);
    EXPECT_EQ(SendMailSMTP(s, file.c_str(), "", nullptr, nullptr), 0);
    // Refused for good after the data: reported, counts as handled.
    std::string refused = "From: a@office.example\r\nTo: x@a.example\r\nSubject: refuse-after-data\r\n\r\nx\r\n";
    EXPECT_EQ(SendMailSMTP(s, write(tag + "-r.txt", refused).c_str(), "", nullptr, nullptr), 0);
    // Deferred after the data: stays queued.
    std::string deferred = "From: a@office.example\r\nTo: x@a.example\r\nSubject: defer-after-data\r\n\r\nx\r\n";
    EXPECT_EQ(SendMailSMTP(s, write(tag + "-d.txt", deferred).c_str(), "", nullptr, nullptr), -1);
    // The session is still usable afterwards.
    EXPECT_EQ(SendMailSMTP(s, file.c_str(), "", nullptr, nullptr), 0);
    CloseSMTP(s);
    EXPECT_EQ(ownPart(delivered(tag + "-auth@a.example"), "X-Test: "), toLf(message));
}

// ---- over TLS ----------------------------------------------------------------------
// The relay's TLS ports use a certificate of the private authority that
// only the test prefix trusts (tls_trust); UNTRUSTED_PORT one nobody does.
// What a refused client sent shows in the relay's own count of commands.

namespace {

class SmtpTls : public SmtpRelay {
protected:
    // The status texts and event lines, from after the relay's own set-up.
    void SetUp() override {
        SmtpRelay::SetUp();
        recorder = std::make_unique<testing_support::Recorder>();
    }
    // Opens a relay record for host and port with the encryption choice
    // stored beside it, as the Outgoing page writes it.
    int openTls(const std::string& host, const std::string& port, int tls, const std::string& auth = "0:::") {
        std::string record = host + ":" + port + "::0:" + auth;
        WritePrivateProfileStringA("outgoing", "server0", record.c_str(), install("ms.ini").c_str());
        WritePrivateProfileStringA("outgoing", "tls0", std::to_string(tls).c_str(), install("ms.ini").c_str());
        std::vector<char> text(record.begin(), record.end());
        text.push_back('\0');
        return OpenSMTP(nullptr, 0, text.data(), 0);
    }
    std::string login() { return "1:" + base64(settings["AUTH_USER"]) + ":" + base64(settings["AUTH_PASSWORD"]) + ":"; }
    // Whether the relay logged, for the listener tagged name, a finished
    // session whose command counts are exactly counts.
    bool relayLogged(const std::string& name, const std::string& counts) {
        return waitUntil(
            [&] {
                std::string log = readFile(windowsPath(settings["LOG"]));
                std::string mark = "postfix/" + name + "/smtpd[";
                for (std::size_t at = log.find(mark); at != std::string::npos; at = log.find(mark, at + 1)) {
                    std::string line = log.substr(at, log.find('\n', at) - at);
                    if (line.find("]: disconnect from ") != std::string::npos && line.ends_with(" " + counts))
                        return true;
                }
                return false;
            },
            5000);
    }
    std::unique_ptr<testing_support::Recorder> recorder;
};

}  // namespace

TEST_F(SmtpTls, DeliversByteForByteOverTlsAndAfterStartTls) {
    const std::string lines = transport_testing::wireLines(3000000, 99, 5);
    struct Route {
        const char* name;
        std::string port;
        int tls;
        std::string auth;
        const char* counts;
    };
    const Route routes[] = {
        {"smtps", settings["SMTPS_PORT"], 1, "0:::", "helo=1 mail=1 rcpt=1 data=1 quit=1 commands=5"},
        {"smtps", settings["SMTPS_PORT"], 1, login(), "ehlo=1 auth=1 mail=1 rcpt=1 data=1 quit=1 commands=6"},
        {"submission", settings["SUBMISSION_PORT"], 2, login(),
         "ehlo=2 starttls=1 auth=1 mail=1 rcpt=1 data=1 quit=1 commands=8"},
    };
    int n = 0;
    for (const Route& route : routes) {
        SCOPED_TRACE(std::string(route.name) + " " + route.auth);
        std::string to = tag + "-tls" + std::to_string(++n) + "@a.example";
        std::string message = "X-Test: " + tag + "\r\nFrom: a@office.example\r\nTo: " + to +
                              "\r\nSubject: over TLS\r\n\r\n.\r\n" + lines + "end\r\n";
        ASSERT_EQ(InitSMTP(), 0);
        recorder->clear();
        int s = openTls("localhost", route.port, route.tls, route.auth);
        ASSERT_NE(s, -1);
        EXPECT_TRUE(recorder->statusHas("Connection to localhost encrypted (TLS)"));
        EXPECT_EQ(SendMailSMTP(s, write(tag + ".txt", message).c_str(), "", nullptr, nullptr), 0);
        CloseSMTP(s);
        EXPECT_TRUE(ownPart(delivered(to, 60000), "X-Test: ") == toLf(message));
        EXPECT_TRUE(relayLogged(route.name, route.counts)) << route.counts;
    }
}

TEST_F(SmtpTls, RefusedCertificatesEndTheConnectionBeforeAnyCommand) {
    struct Refusal {
        const char* host;
        std::string port;
        int tls;
        const char* text;
        const char* listener;
        const char* counts;  // what the relay got
    };
    const Refusal refusals[] = {
        {"localhost", settings["UNTRUSTED_PORT"], 1,
         "Certificate of localhost refused: it is not issued by a trusted authority", "untrusted", "commands=0/0"},
        {"127.0.0.1", settings["SMTPS_PORT"], 1,
         "Certificate of 127.0.0.1 refused: it is issued for another host name", "smtps", "commands=0/0"},
        {"127.0.0.1", settings["SUBMISSION_PORT"], 2,
         "Certificate of 127.0.0.1 refused: it is issued for another host name", "submission",
         "ehlo=1 starttls=1 commands=2"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.text);
        ASSERT_EQ(InitSMTP(), 0);
        recorder->clear();
        EXPECT_EQ(openTls(r.host, r.port, r.tls, login()), -1);
        CloseSMTP(-1);
        ASSERT_FALSE(recorder->status.empty());
        EXPECT_EQ(recorder->status.back(), r.text);
        EXPECT_TRUE(recorder->eventsHave(r.text));
        EXPECT_FALSE(recorder->statusHas("Authenticating..."));
        EXPECT_TRUE(relayLogged(r.listener, r.counts)) << r.counts;
    }
}

// An office relay with a certificate of its own: pinned by the fingerprint
// openssl prints for it, it delivers.
TEST_F(SmtpTls, APinnedRelayCertificateDelivers) {
    ASSERT_FALSE(settings["UNTRUSTED_SHA256"].empty());
    std::string pin = "localhost " + settings["UNTRUSTED_SHA256"];
    WritePrivateProfileStringA("tls", "pin", pin.c_str(), install("ms.ini").c_str());
    std::string to = tag + "-pinned@a.example";
    std::string message = "X-Test: " + tag + "\r\nFrom: a@office.example\r\nTo: " + to + "\r\n\r\npinned\r\n";
    ASSERT_EQ(InitSMTP(), 0);
    int s = openTls("localhost", settings["UNTRUSTED_PORT"], 1);
    WritePrivateProfileStringA("tls", "pin", nullptr, install("ms.ini").c_str());
    ASSERT_NE(s, -1);
    EXPECT_EQ(SendMailSMTP(s, write(tag + "-pinned.txt", message).c_str(), "", nullptr, nullptr), 0);
    CloseSMTP(s);
    EXPECT_EQ(ownPart(delivered(to), "X-Test: "), toLf(message));
}
