// Encrypted connections against hostile servers (tests/peers/tls_peer.py,
// folder in TLS_PEER_DIR; certificates by tests/peers/tls_certs.sh, whose
// authority only the test prefix trusts, their fingerprints copied into
// the peers' folder). Every peer
// writes down each line it receives, so a test sees whether anything, and
// above all a login, reached a server that was refused.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "frame/frame_state.h"
#include "support/win32_support.h"
#include "support/recorder.h"
#include "transport/socket_layer.h"
#include "transport/tls_channel.h"
#include "utilities.h"

using namespace testing_support;

namespace {

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}
std::string peerDir() { return env("TLS_PEER_DIR"); }
int peerPort(const std::string& name) { return std::atoi(readFile(peerDir() + "\\" + name + "_port").c_str()); }
std::string fingerprint(const std::string& cert) {
    std::string text = readFile(peerDir() + "\\" + cert + ".sha256");
    return text.substr(0, text.find_first_of("\r\n"));
}

// The lines peer name received, in order.
std::vector<std::string> received(const std::string& name) {
    std::vector<std::string> lines;
    std::string all = readFile(peerDir() + "\\received");
    std::string mark = name + " ";
    for (std::size_t at = 0; at < all.size();) {
        std::size_t end = all.find('\n', at);
        if (end == std::string::npos) end = all.size();
        if (all.compare(at, mark.size(), mark) == 0) lines.push_back(all.substr(at + mark.size(), end - at - mark.size()));
        at = end + 1;
    }
    return lines;
}

// How a connection asks for encryption, and the peer suffix that talks that way.
struct Way {
    const char* suffix;
    bool smtp;
    int choice;  // stored beside the record: 1 TLS, 2 STARTTLS
    std::vector<std::string> plainLines;  // what the client may send before the handshake
};
const Way kWays[] = {
    {"", false, 1, {}},
    {"-stls", false, 2, {"STLS"}},
    {"-smtps", true, 1, {}},
    {"-starttls", true, 2, {"EHLO localhost", "STARTTLS"}},
};

class HostileTls : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(peerDir().empty()) << "TLS_PEER_DIR is not set";
        util::frameState().configPathBuilt = false;
        SetPath(dir.path().c_str());
        CreateDirectoryA(dir.file("event log").c_str(), nullptr);
        WritePrivateProfileStringA("domain", "domain", "localhost", dir.file("ms.ini").c_str());
        AbortComms(0);
        // The tests of this file take turns with the peers (a lock), each
        // starting with an empty record of what they received.
        ASSERT_TRUE(writeFile(peerDir() + "\\received", ""));
    }
    void TearDown() override {
        AbortComms(0);
        util::setHandshakeTimeoutMs(util::kHandshakeTimeoutMs);
        util::frameState().configPathBuilt = false;
    }
    void setting(const char* section, const char* key, const std::string& value) {
        WritePrivateProfileStringA(section, key, value.c_str(), dir.file("ms.ini").c_str());
    }
    // A provider mailbox record with its encryption choice, as the Incoming page writes it.
    void mailbox(int n, const std::string& host, int port, const std::string& user, int tls) {
        std::string i = std::to_string(n);
        setting("incoming", ("node" + i).c_str(), host);
        setting("incoming", ("user" + i).c_str(), user);
        setting("incoming", ("port" + i).c_str(), std::to_string(port));
        setting("incoming", ("tls" + i).c_str(), std::to_string(tls));
    }
    // A relay record that logs in, with its choice, as the Outgoing page writes it.
    std::string relay(int n, const std::string& host, int port, int tls) {
        std::string record = host + ":" + std::to_string(port) + "::0:1:YWNjb3VudA==:c2VjcmV0:";
        setting("outgoing", ("server" + std::to_string(n)).c_str(), record);
        setting("outgoing", ("tls" + std::to_string(n)).c_str(), std::to_string(tls));
        return record;
    }
    // Opens the peer's way as the mail server would: -1 or the socket.
    int open(const std::string& peer, const Way& way, const char* user = "jo") {
        int port = peerPort(peer);
        if (!way.smtp) {
            mailbox(0, "localhost", port, user, way.choice);
            return OpenPop3(nullptr, "localhost", user, "pop-secret", port);
        }
        std::string record = relay(0, "localhost", port, way.choice);
        std::vector<char> text(record.begin(), record.end());
        text.push_back('\0');
        if (InitSMTP() != 0) return -1;
        int s = OpenSMTP(nullptr, 0, text.data(), 0);
        if (s == -1) CloseSMTP(-1);
        return s;
    }
    void close(int s, const Way& way) {
        if (way.smtp)
            CloseSMTP(s);
        else
            ClosePop3(s);
    }
    // The peer's lines once the client closed: its QUIT has arrived.
    std::vector<std::string> sessionLines(const std::string& peer) {
        waitUntil([&] { auto l = received(peer); return !l.empty() && l.back() == "QUIT"; }, 5000);
        return received(peer);
    }

    ScratchDir dir{"tlshostile"};
    Recorder recorder;
};

// One table of hostile certificates, each tried in every way: refused
// with its reason and fingerprint, and nothing after the handshake (no
// login above all) reaches the peer.
TEST_F(HostileTls, HostileCertificatesAreRefusedInEveryWayBeforeAnyLogin) {
    struct Hostile {
        const char* cert;
        const char* reason;
    };
    const Hostile hostile[] = {
        {"partial", "its chain of issuers is incomplete"},
        {"notca", "it is issued by a certificate that is not an authority"},
        {"untrusted", "it is not issued by a trusted authority"},
        {"expired", "it has expired or is not valid yet"},
        {"notyet", "it has expired or is not valid yet"},
        {"wrongname", "it is issued for another host name"},
    };
    for (const Hostile& h : hostile) {
        for (const Way& way : kWays) {
            const std::string peer = std::string(h.cert) + way.suffix;
            SCOPED_TRACE(peer);
            recorder.clear();
            EXPECT_EQ(open(peer, way), -1);
            if (!way.smtp) ClosePop3(-1);
            const std::string refusal = std::string("Certificate of localhost refused: ") + h.reason;
            ASSERT_FALSE(recorder.status.empty());
            EXPECT_EQ(recorder.status.back(), refusal);
            EXPECT_TRUE(recorder.eventsHave(refusal));
            EXPECT_TRUE(recorder.eventsHave("Certificate of localhost has the SHA-256 fingerprint " + fingerprint(h.cert)))
                << "the fingerprint an administrator could pin, as openssl prints it";
        }
    }
    Sleep(300);
    for (const Hostile& h : hostile)
        for (const Way& way : kWays) {
            const std::string peer = std::string(h.cert) + way.suffix;
            EXPECT_EQ(received(peer), way.plainLines) << peer;
        }
}

// Revocation is checked where the platform can: a certificate whose
// authority's list (fetched from the address the certificate names) says
// it was revoked is refused. Every other peer's certificate names no list,
// and an unknown status is no refusal.
TEST_F(HostileTls, ARevokedCertificateIsRefused) {
    // Wine keeps the revocation status it learnt in one file for every
    // certificate alike (Windows keeps one for each), so a status learnt
    // for another certificate would answer for this one: it goes first.
    std::string cache = env("USERPROFILE") + "\\AppData\\LocalLow\\Microsoft\\CryptnetUrlCache\\Content";
    removeTree(cache);
    EXPECT_EQ(open("revoked", kWays[0]), -1);
    ClosePop3(-1);
    ASSERT_FALSE(recorder.status.empty());
    EXPECT_EQ(recorder.status.back(), "Certificate of localhost refused: it has been revoked");
    EXPECT_FALSE(received("crl").empty()) << "the list was asked for";
    Sleep(300);
    EXPECT_EQ(received("revoked"), std::vector<std::string>{});
}

// A pinned host accepts exactly its pinned certificates, whoever issued
// them; their names and dates still count, and a certificate the system
// trusts is refused when it is not the pinned one.
TEST_F(HostileTls, APinnedHostAcceptsExactlyItsCertificate) {
    const Way& pop3 = kWays[0];
    const Way& starttls = kWays[3];
    setting("tls", "pin", "relay.office.example " + fingerprint("server") + ", LOCALHOST " + fingerprint("untrusted"));
    for (const Way* way : {&pop3, &starttls}) {
        SCOPED_TRACE(way->suffix);
        recorder.clear();
        int s = open(std::string("untrusted") + way->suffix, *way);
        ASSERT_NE(s, -1);
        EXPECT_TRUE(recorder.statusHas("Connection to localhost encrypted (TLS)"));
        close(s, *way);
    }
    EXPECT_EQ(sessionLines("untrusted"), (std::vector<std::string>{"USER jo", "PASS pop-secret", "QUIT"}));
    EXPECT_EQ(sessionLines("untrusted-starttls"),
              (std::vector<std::string>{"EHLO localhost", "STARTTLS", "EHLO localhost", "AUTH LOGIN", "YWNjb3VudA==",
                                        "c2VjcmV0", "QUIT"}));

    struct Refusal {
        std::string pins;
        const char* peer;
        const char* reason;
    };
    const Refusal refusals[] = {
        {"localhost " + fingerprint("untrusted"), "server", "it is not the certificate pinned for this host in ms.ini"},
        {"localhost " + fingerprint("server") + "0", "server", "it is not the certificate pinned for this host in ms.ini"},
        {"localhost " + fingerprint("expired"), "expired", "it has expired or is not valid yet"},
        {"localhost " + fingerprint("wrongname"), "wrongname", "it is issued for another host name"},
    };
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.pins);
        setting("tls", "pin", r.pins);
        recorder.clear();
        EXPECT_EQ(open(r.peer, pop3), -1);
        ClosePop3(-1);
        ASSERT_FALSE(recorder.status.empty());
        EXPECT_EQ(recorder.status.back(), std::string("Certificate of localhost refused: ") + r.reason);
    }
    Sleep(300);
    EXPECT_EQ(received("server"), std::vector<std::string>{});
}

// Lines a man in the middle puts behind the answer to STLS or STARTTLS are
// never read as the server's: the hostile peers' injected refusal would
// otherwise end the login.
TEST_F(HostileTls, LinesInjectedBeforeTheHandshakeAreNeverRead) {
    for (const Way& way : {kWays[1], kWays[3]}) {
        SCOPED_TRACE(way.suffix);
        recorder.clear();
        int s = open(std::string("server") + way.suffix, way);
        ASSERT_NE(s, -1) << (recorder.status.empty() ? "" : recorder.status.back());
        if (!way.smtp) {
            EXPECT_EQ(NumPop3Mail(s, 0), 0);
        }
        close(s, way);
    }
    EXPECT_EQ(sessionLines("server-stls"), (std::vector<std::string>{"STLS", "USER jo", "PASS pop-secret", "STAT", "QUIT"}));
}

// The choice stored for a server holds for every connection to it: a user
// name in another case, or another record of the same server asking for
// less, never sends the login in plain text.
TEST_F(HostileTls, TheStoredChoiceHoldsWhateverTheUserNamesCase) {
    const int stls = peerPort("server-stls");
    mailbox(0, "LocalHost", stls, "other", 0);
    mailbox(1, "localhost", stls, "Victim", 2);
    int s = OpenPop3(nullptr, "localhost", "victim", "pop-secret", stls);
    ASSERT_NE(s, -1);
    ClosePop3(s);
    EXPECT_EQ(sessionLines("server-stls"), (std::vector<std::string>{"STLS", "USER victim", "PASS pop-secret", "QUIT"}));

    const int starttls = peerPort("server-starttls");
    relay(0, "localhost", starttls, 2);
    std::string other = "LOCALHOST:" + std::to_string(starttls) + "::0:1:b3RoZXI=:b3RoZXI=:";
    std::vector<char> text(other.begin(), other.end());
    text.push_back('\0');
    ASSERT_EQ(InitSMTP(), 0);
    int t = OpenSMTP(nullptr, 0, text.data(), 0);
    ASSERT_NE(t, -1) << "a record of the same relay with another account";
    CloseSMTP(t);
    EXPECT_EQ(sessionLines("server-starttls"), (std::vector<std::string>{"EHLO localhost", "STARTTLS", "EHLO localhost", "AUTH LOGIN", "b3RoZXI=",
                                               "b3RoZXI=", "QUIT"}));
}

// Each connection keeps its own encrypted conversation: an SMTP session
// opened and closed while a POP3 session is open leaves the POP3 one
// encrypted (the peer, speaking TLS only, would drop a line in clear).
TEST_F(HostileTls, OverlappingPop3AndSmtpSessionsStayEncrypted) {
    const Way& pop3 = kWays[0];
    const Way& smtps = kWays[2];
    int p = open("server", pop3);
    ASSERT_NE(p, -1);
    int s = open("server-smtps", smtps);
    ASSERT_NE(s, -1);
    EXPECT_EQ(NumPop3Mail(p, 0), 0);
    std::string message = dir.file("m.txt");
    ASSERT_TRUE(writeFile(message, "From: a@office.example\r\nTo: b@example.org\r\n\r\nhello\r\n"));
    EXPECT_EQ(SendMailSMTP(s, message.c_str(), "", nullptr, nullptr), 0);
    CloseSMTP(s);
    EXPECT_EQ(NumPop3Mail(p, 0), 0);
    EXPECT_EQ(DeletePop3(p, 1, 0), 0);
    ClosePop3(p);
    EXPECT_EQ(sessionLines("server"),
              (std::vector<std::string>{"USER jo", "PASS pop-secret", "STAT", "STAT", "DELE 1", "QUIT"}));
    std::vector<std::string> smtp = sessionLines("server-smtps");
    ASSERT_GE(smtp.size(), 5u);
    EXPECT_EQ(smtp.end()[-2], ".");
}

// A server that never finishes the handshake, silent or dripping bytes,
// holds the collection for the handshake's limit at most; AbortComms ends
// the wait at once.
TEST_F(HostileTls, AHandshakeThatNeverEndsIsCutAtItsLimitOrByAnAbort) {
    util::setHandshakeTimeoutMs(1500);
    for (const char* peer : {"silent", "drip"}) {
        SCOPED_TRACE(peer);
        recorder.clear();
        DWORD started = GetTickCount();
        EXPECT_EQ(open(peer, kWays[0]), -1);
        ClosePop3(-1);
        DWORD took = GetTickCount() - started;
        EXPECT_GE(took, 1400u);
        EXPECT_LT(took, 6000u);
        ASSERT_FALSE(recorder.status.empty());
        EXPECT_EQ(recorder.status.back(), "TLS failed with localhost: the handshake took too long");
    }

    util::setHandshakeTimeoutMs(util::kHandshakeTimeoutMs);
    std::thread aborter([] {
        Sleep(800);
        AbortComms(1);
    });
    DWORD started = GetTickCount();
    EXPECT_EQ(open("silent", kWays[0]), -1);
    DWORD took = GetTickCount() - started;
    aborter.join();
    ClosePop3(-1);
    EXPECT_LT(took, 5000u) << "the abort, not the minute's limit, ended it";
}

// The password is sent once and not kept: neither the process-wide buffers
// nor the session hold it or the line that carried it.
TEST_F(HostileTls, ThePasswordDoesNotStayInTheLibrarysBuffers) {
    mailbox(0, "localhost", peerPort("server"), "jo", 1);
    int p = OpenPop3(nullptr, "localhost", "jo", "pw-that-must-go", peerPort("server"));
    ASSERT_NE(p, -1);
    const util::TransportState& state = util::transport();
    std::string bytes(reinterpret_cast<const char*>(&state), sizeof state);
    EXPECT_EQ(bytes.find("pw-that-must-go"), std::string::npos);
    ClosePop3(p);
    EXPECT_EQ(sessionLines("server"), (std::vector<std::string>{"USER jo", "PASS pw-that-must-go", "QUIT"}));
}

}  // namespace
