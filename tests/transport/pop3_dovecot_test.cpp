// The POP3 exports of utilities.dll against a real POP3 server (Dovecot,
// started for the run by tests/peers/dovecot.sh, folder in POP3_PEER_DIR),
// in plain text and over TLS. Each test uses a mailbox of its own, so
// tests may run in parallel.
#include <gtest/gtest.h>
#include <winsock.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "support/peers.h"
#include "support/win32_support.h"
#include "support/recorder.h"
#include "transport/wire_text.h"
#include "utilities.h"

using namespace testing_support;
using testing_support::Recorder;

namespace {

std::string plainMessage() {
    return "From: Ann <ann@example.org>\r\nTo: jo@example.org\r\nSubject: plain\r\n"
           "Date: Mon, 7 Dec 2026 08:00:00 +0000\r\n\r\nHello Jo,\r\nsee you at noon.\r\n";
}

std::string multipartMessage() {
    std::string base64;
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    unsigned seedValue = 7;
    for (int line = 0; line < 600; ++line) {
        for (int i = 0; i < 76; ++i) {
            seedValue = seedValue * 1103515245u + 12345u;
            base64 += alphabet[(seedValue >> 16) % 64];
        }
        base64 += "\r\n";
    }
    return "From: ann@example.org\r\nTo: jo@example.org\r\nSubject: report\r\nMIME-Version: 1.0\r\n"
           "Content-Type: multipart/mixed; boundary=\"=_b1\"\r\n\r\nThis is a multi-part message.\r\n"
           "--=_b1\r\nContent-Type: text/plain; charset=us-ascii\r\n\r\nThe figures are attached.\r\n"
           "--=_b1\r\nContent-Type: application/octet-stream; name=\"figures.bin\"\r\n"
           "Content-Transfer-Encoding: base64\r\nContent-Disposition: attachment; filename=\"figures.bin\"\r\n\r\n" +
           base64 + "--=_b1--\r\n";
}

std::string dotsMessage() {
    return "From: ann@example.org\r\nSubject: dots\r\n\r\n.leading dot\r\n..two dots\r\n.\r\n"
           "a line after a lone dot\r\n. \r\n...\r\nend.\r\n.x\r\n";
}

std::string eightBitMessage() {
    return "From: ann@example.org\r\nSubject: 8bit\r\nContent-Transfer-Encoding: 8bit\r\n\r\n"
           "caf\xE9 cr\xE8me\r\n\xAE\x8D line that begins with high bytes\r\n\xAE.\r\n";
}

// Opens a session for user, asserting it opened.
int openMailbox(const std::string& user, const char* password = "secret") {
    int s = OpenPop3(nullptr, "127.0.0.1", user.c_str(), password, pop3PeerPort());
    EXPECT_NE(s, -1) << "see " << pop3PeerDir() << "\\dovecot.log";
    return s;
}

int messageCount(const std::string& user) {
    int s = openMailbox(user);
    int n = NumPop3Mail(s, 0);
    ClosePop3(s);
    return n;
}

class Pop3Dovecot : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(pop3PeerDir().empty()) << "POP3_PEER_DIR is not set";
        SetPath(dir.path().c_str());
        CreateDirectoryA(dir.file("event log").c_str(), nullptr);
        AbortComms(0);
    }
    void setting(const char* section, const char* key, const char* value) {
        WritePrivateProfileStringA(section, key, value, dir.file("ms.ini").c_str());
    }

    ScratchDir dir{"pop3dove"};
    Recorder recorder;
};

// The message bytes behind the Received header, which must have the form
// the download writes.
std::string afterReceived(const std::string& stored, const std::string& user, const std::string& by,
                          const std::string& host = "127.0.0.1") {
    std::string start = "Received: from <" + host + "> id=" + user + "\r\n\tby " + by + " on ";
    EXPECT_EQ(stored.substr(0, start.size()), start);
    std::size_t end = stored.find("\r\n", start.size());
    EXPECT_EQ(end, start.size() + 24) << "the C library's date text";
    return end == std::string::npos ? "" : stored.substr(end + 2);
}

}  // namespace

TEST_F(Pop3Dovecot, CollectsEachMessageExactlyThenDeleRemovesThem) {
    const std::vector<std::string> messages = {plainMessage(), multipartMessage(), dotsMessage(), eightBitMessage()};
    seedMailbox("t1", messages);
    setting("system", "Prod", "OfficeMail");
    setting("system", "ver", "9.2");

    int s = openMailbox("t1");
    ASSERT_EQ(NumPop3Mail(s, 0), 4);

    std::string list = dir.file("list.txt");
    ASSERT_EQ(ListMailPop3(s, list.c_str(), 0), 0);
    std::string wantList;
    for (std::size_t i = 0; i < messages.size(); ++i)
        wantList += std::to_string(i + 1) + " " + std::to_string(messages[i].size()) + "\r\n";
    EXPECT_EQ(readFile(list), wantList);

    std::string check = dir.file("check.txt");
    ASSERT_EQ(TopPop3(s, 3, check.c_str(), "t1", 2, 0, 0, "", "127.0.0.1", "", 0), 0);
    EXPECT_EQ(readFile(check), "X-user: t1\r\nFrom: ann@example.org\r\nSubject: dots\r\n\r\n..leading dot\r\n...two dots\r\n")
        << "TOP keeps the server's stuffed dots";

    for (std::size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE("message " + std::to_string(i + 1));
        std::string file = dir.file("m" + std::to_string(i + 1) + ".txt");
        int number = static_cast<int>(i + 1);
        ASSERT_EQ(GetMailPop3(s, number, file.c_str(), 1, 0, recorder.progressWindow(), 0), 0);
        EXPECT_TRUE(afterReceived(readFile(file), "t1", "OfficeMail v9.2") == messages[i]);
        EXPECT_TRUE(recorder.eventsHave("Message is " + std::to_string(messages[i].size()) + " bytes"));
        ASSERT_FALSE(recorder.progress.empty());
        EXPECT_EQ(recorder.progress.back(), "Message " + std::to_string(number) + " complete...");
        EXPECT_EQ(recorder.status.back(), "Deleting message " + std::to_string(number));
    }
    EXPECT_EQ(ClosePop3(s), 0);
    EXPECT_EQ(messageCount("t1"), 0) << "DELE removed every message";
}

TEST_F(Pop3Dovecot, TheDownloadLimitLeavesWarnsOrDeletes) {
    std::string big = "From: ann@example.org\r\nSubject: big\r\n\r\nfirst body line\r\n";
    while (big.size() < 1500000) big += std::string(70, 'z') + "\r\n";
    seedMailbox("t2", {big, plainMessage()});
    setting("advpop", "use", "1");
    setting("advpop", "size", "1");

    int s = openMailbox("t2");
    std::string file = dir.file("big.txt");
    // Oversize, no warning, kept: nothing stored.
    setting("advpop", "sendwarning", "0");
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, nullptr, 0), 0);
    EXPECT_FALSE(fileExists(file));
    EXPECT_TRUE(recorder.eventsHave("Message skipped"));

    // Oversize with a warning, kept.
    setting("advpop", "sendwarning", "1");
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, nullptr, 0), UTIL_POP3_OVERSIZE_LEFT);
    std::string warning = "From: ann@example.org\r\nSubject: big\r\n\r\nfirst body line\r\n"
                          "\r\n\r\nThis message was not downloaded because it exceeded\r\n the servers limit. "
                          "It has been left on the ISP's server...";
    EXPECT_TRUE(afterReceived(readFile(file), "t2", "Tarnmail v4.1") == warning);
    EXPECT_TRUE(recorder.eventsHave("Generating message size warning"));

    // The small one fits.
    std::string small = dir.file("small.txt");
    EXPECT_EQ(GetMailPop3(s, 2, small.c_str(), 0, 0, nullptr, 0), 0);
    EXPECT_TRUE(afterReceived(readFile(small), "t2", "Tarnmail v4.1") == plainMessage());
    EXPECT_EQ(ClosePop3(s), 0);
    EXPECT_EQ(messageCount("t2"), 2) << "nothing was deleted yet";

    // Oversize with a warning, deleted.
    setting("advpop", "delete", "1");
    s = openMailbox("t2");
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 0, 0, nullptr, 0), UTIL_POP3_OVERSIZE_DELETED);
    std::string stored = readFile(file);
    EXPECT_TRUE(stored.ends_with("It has been removed from the ISP's server...")) << stored.substr(0, 200);
    EXPECT_EQ(ClosePop3(s), 0);
    EXPECT_EQ(messageCount("t2"), 1);

    // Without a limit the big message comes whole.
    setting("advpop", "use", "0");
    seedMailbox("t2", {big});
    s = openMailbox("t2");
    EXPECT_EQ(GetMailPop3(s, 2, file.c_str(), 1, 0, nullptr, 0), 0);
    EXPECT_TRUE(afterReceived(readFile(file), "t2", "Tarnmail v4.1") == big);
    EXPECT_EQ(ClosePop3(s), 0);
    EXPECT_EQ(messageCount("t2"), 1);
}

TEST_F(Pop3Dovecot, AWrongPasswordIsRefusedWithTheServersLine) {
    EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "t3", "wrong", pop3PeerPort()), -1);
    EXPECT_EQ(ClosePop3(-1), 0);
    ASSERT_GE(recorder.status.size(), 2u);
    EXPECT_EQ(recorder.status.back(), "Password is incorrect ");
    EXPECT_EQ(recorder.status[recorder.status.size() - 2].rfind("-ERR", 0), 0u);
}

TEST_F(Pop3Dovecot, TheHostCollectsAMailboxIntoMessageFiles) {
    seedMailbox("t4", {plainMessage(), dotsMessage()});
    std::string in = dir.file("in");
    CreateDirectoryA(in.c_str(), nullptr);
    ProcessResult r = runProcess("\"" + exeFolder() + "\\host.exe\" \"" + dir.path() + "\" collect 127.0.0.1 " +
                                 std::to_string(pop3PeerPort()) + " t4 secret \"" + in + "\"");
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    std::vector<std::string> files;
    for (std::size_t at = r.output.find("collected: "); at != std::string::npos;
         at = r.output.find("collected: ", at + 1)) {
        std::size_t end = r.output.find_first_of("\r\n", at);
        files.push_back(r.output.substr(at + 11, end - at - 11));
    }
    ASSERT_EQ(files.size(), 2u) << r.output;
    EXPECT_TRUE(afterReceived(readFile(files[0]), "t4", "Tarnmail v4.1") == plainMessage());
    EXPECT_TRUE(afterReceived(readFile(files[1]), "t4", "Tarnmail v4.1") == dotsMessage());
    EXPECT_NE(r.output.find("status[1]: Downloading 1 (0 of 0,"), std::string::npos) << r.output;
    EXPECT_NE(r.output.find("event[4]: Server has 2 messages"), std::string::npos);
    EXPECT_EQ(messageCount("t4"), 0);
}

// A session stores half the mailbox with deleteAfter 1 and is then cut
// before QUIT, so the server keeps every message. The next collection, by
// another process (the host, started anew), stores each message exactly
// once: those stored before are deleted and not stored again.
TEST_F(Pop3Dovecot, ACutSessionStoresEveryMessageOnceAcrossARestart) {
    std::vector<std::string> messages;
    for (int i = 0; i < 12; ++i)
        messages.push_back("From: ann@example.org\r\nSubject: journal " + std::to_string(i) + "\r\n\r\nbody " +
                           std::to_string(i) + "\r\n");
    seedMailbox("t35", messages);
    std::string in = dir.file("in");
    CreateDirectoryA(in.c_str(), nullptr);

    int s = openMailbox("t35");
    ASSERT_EQ(NumPop3Mail(s, 0), 12);
    for (int n = 1; n <= 6; ++n) {
        char name[260] = {};
        UniqueFileName(in.c_str(), name, "txt");
        ASSERT_EQ(GetMailPop3(s, n, name, 1, 0, nullptr, 0), 0);
    }
    shutdown(static_cast<SOCKET>(s), 2);  // the line drops: no QUIT reaches the server
    ClosePop3(s);
    EXPECT_EQ(messageCount("t35"), 12) << "the server carried out no DELE";
    const std::string journal = dir.file("collection journal.txt");
    const std::string written = readFile(journal);
    EXPECT_EQ(std::count(written.begin(), written.end(), '\n'), 6);

    ProcessResult r = runProcess("\"" + exeFolder() + "\\host.exe\" \"" + dir.path() + "\" collect 127.0.0.1 " +
                                 std::to_string(pop3PeerPort()) + " t35 secret \"" + in + "\"");
    ASSERT_EQ(r.exitCode, 0u) << r.output;
    std::size_t again = 0;
    for (std::size_t at = r.output.find("Message already collected"); at != std::string::npos;
         at = r.output.find("Message already collected", at + 1))
        ++again;
    EXPECT_EQ(again, 6u) << r.output;

    std::vector<std::string> subjects;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((in + "\\20*.txt").c_str(), &found);  // the unique names, not list and check
    ASSERT_NE(find, INVALID_HANDLE_VALUE);
    do {
        std::string text = readFile(in + "\\" + found.cFileName);
        std::size_t at = text.find("Subject: ");
        subjects.push_back(text.substr(at, text.find("\r\n", at) - at));
    } while (FindNextFileA(find, &found));
    FindClose(find);
    std::sort(subjects.begin(), subjects.end());
    std::vector<std::string> want;
    for (int i = 0; i < 12; ++i) want.push_back("Subject: journal " + std::to_string(i));
    std::sort(want.begin(), want.end());
    EXPECT_EQ(subjects, want) << "every message stored exactly once";
    EXPECT_EQ(messageCount("t35"), 0);
    EXPECT_FALSE(fileExists(journal)) << "the good QUIT confirmed every deletion";
}

namespace {

// ---- over TLS ----------------------------------------------------------------------
// The server's authority is trusted in the test prefix only (tls_trust);
// refused certificates are tried on hostile peers (tls_hostile_test).

int portIn(const std::string& file) { return std::atoi(readFile(file).c_str()); }

// Lines of about 76 characters, some beginning with a dot, bytes above 127
// and a line that is a lone dot: every byte must come through unchanged.
std::string message(const std::string& subject, std::size_t size) {
    std::string head = "From: ann@example.org\r\nTo: jo@example.org\r\nSubject: " + subject + "\r\n\r\n.\r\n";
    return head + transport_testing::wireLines(size > head.size() ? size - head.size() : 0, 11, 7);
}

class Pop3Tls : public Pop3Dovecot {
protected:
    void TearDown() override { AbortComms(0); }
    // A provider mailbox record with its encryption choice, as the Incoming page writes it.
    void mailbox(int n, const std::string& host, int port, const std::string& user, int tls) {
        std::string i = std::to_string(n);
        setting("incoming", ("node" + i).c_str(), host.c_str());
        setting("incoming", ("user" + i).c_str(), user.c_str());
        setting("incoming", ("port" + i).c_str(), std::to_string(port).c_str());
        setting("incoming", ("tls" + i).c_str(), std::to_string(tls).c_str());
    }
    int count(const std::string& user, int port) {
        int s = OpenPop3(nullptr, "localhost", user.c_str(), "secret", port);
        int n = s == -1 ? -1 : NumPop3Mail(s, 0);
        ClosePop3(s);
        return n;
    }
    // The login lines Dovecot logged for user: each says whether it was over TLS.
    std::vector<std::string> logins(const std::string& user) {
        std::vector<std::string> lines;
        std::string log = readFile(pop3PeerDir() + "\\dovecot.log");
        std::string mark = "Login: user=<" + user + ">";
        for (std::size_t at = log.find(mark); at != std::string::npos; at = log.find(mark, at + 1))
            lines.push_back(log.substr(at, log.find('\n', at) - at));
        return lines;
    }

};

TEST_F(Pop3Tls, CollectsByteForByteOverTlsAndAfterStls) {
    const int tlsPort = portIn(pop3PeerDir() + "\\tls_port");
    const int plainPort = portIn(pop3PeerDir() + "\\port");
    struct Mode {
        const char* name;
        int port;
        int choice;
        const char* user;
    };
    const Mode modes[] = {{"TLS from the first byte", tlsPort, 1, "t30"}, {"STLS", plainPort, 2, "t31"}};
    for (const Mode& mode : modes) {
        SCOPED_TRACE(mode.name);
        const std::vector<std::string> messages = {message("small", 300), message("records", 100000),
                                                   message("large", 3000000)};
        seedMailbox(mode.user, messages);
        mailbox(0, "localhost", mode.port, mode.user, mode.choice);

        int s = OpenPop3(nullptr, "localhost", mode.user, "secret", mode.port);
        ASSERT_NE(s, -1) << "see " << pop3PeerDir() << "\\dovecot.log";
        EXPECT_TRUE(recorder.statusHas("Connection to localhost encrypted (TLS)"));
        ASSERT_EQ(NumPop3Mail(s, 0), 3);
        std::string list = dir.file("list.txt");
        ASSERT_EQ(ListMailPop3(s, list.c_str(), 0), 0);
        EXPECT_EQ(readFile(list), "1 " + std::to_string(messages[0].size()) + "\r\n2 " +
                                      std::to_string(messages[1].size()) + "\r\n3 " +
                                      std::to_string(messages[2].size()) + "\r\n");
        for (std::size_t i = 0; i < messages.size(); ++i) {
            std::string file = dir.file("m" + std::to_string(i) + ".txt");
            ASSERT_EQ(GetMailPop3(s, static_cast<int>(i + 1), file.c_str(), 1, 0, recorder.progressWindow(), 0), 0);
            EXPECT_TRUE(afterReceived(readFile(file), mode.user, "Tarnmail v4.1", "localhost") == messages[i]) << "message " << i + 1;
        }
        EXPECT_EQ(ClosePop3(s), 0);
        EXPECT_EQ(count(mode.user, mode.port), 0) << "every message was deleted";
        std::vector<std::string> lines = logins(mode.user);
        ASSERT_FALSE(lines.empty());
        for (const std::string& line : lines) EXPECT_NE(line.find(", TLS"), std::string::npos) << line;
    }
}

// The connection breaks in the middle of an encrypted download: the file is
// dropped, the message stays on the server and comes whole next time.
TEST_F(Pop3Tls, ACutDuringAnEncryptedDownloadLosesNoMail) {
    const int tlsPort = portIn(pop3PeerDir() + "\\tls_port");
    const std::string m = message("cut", 4000000);
    seedMailbox("t33", {m});
    mailbox(0, "localhost", tlsPort, "t33", 1);
    int s = OpenPop3(nullptr, "localhost", "t33", "secret", tlsPort);
    ASSERT_NE(s, -1);
    int progress = 0;
    recorder.onProgress = [&](const std::string&) {
        if (++progress == 2) shutdown(static_cast<SOCKET>(s), 2);
    };
    std::string file = dir.file("cut.txt");
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, recorder.progressWindow(), 0), -1);
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(recorder.status.back(), "Network error");
    ClosePop3(s);
    recorder.onProgress = nullptr;

    s = OpenPop3(nullptr, "localhost", "t33", "secret", tlsPort);
    ASSERT_NE(s, -1);
    ASSERT_EQ(NumPop3Mail(s, 0), 1) << "the message is still on the server";
    ASSERT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, nullptr, 0), 0);
    EXPECT_TRUE(afterReceived(readFile(file), "t33", "Tarnmail v4.1", "localhost") == m);
    EXPECT_EQ(ClosePop3(s), 0);
}

TEST_F(Pop3Tls, AbortCommsStopsAnEncryptedDownload) {
    const int tlsPort = portIn(pop3PeerDir() + "\\tls_port");
    seedMailbox("t34", {message("abort", 4000000)});
    mailbox(0, "localhost", tlsPort, "t34", 1);
    int s = OpenPop3(nullptr, "localhost", "t34", "secret", tlsPort);
    ASSERT_NE(s, -1);
    int progress = 0;
    recorder.onProgress = [&](const std::string&) {
        if (++progress == 3) AbortComms(1);
    };
    std::string file = dir.file("abort.txt");
    EXPECT_EQ(GetMailPop3(s, 1, file.c_str(), 1, 0, recorder.progressWindow(), 0), -1);
    EXPECT_EQ(progress, 3) << "no block is handled after the abort";
    EXPECT_FALSE(fileExists(file));
    ClosePop3(s);
    AbortComms(0);
    recorder.onProgress = nullptr;
    EXPECT_EQ(count("t34", tlsPort), 1) << "the message stays on the server";
}

}  // namespace
