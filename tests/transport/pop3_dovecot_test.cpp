// The POP3 exports of utilities.dll against a real POP3 server (Dovecot,
// started for the run by tests/peers/dovecot.sh, folder in POP3_PEER_DIR).
// Each test uses a mailbox of its own, so tests may run in parallel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "support/win32_support.h"
#include "transport/pop3_recorder.h"
#include "utilities.h"

using namespace testing_support;
using pop3_testing::Recorder;

namespace {

std::string peerDir() {
    const char* dir = std::getenv("POP3_PEER_DIR");
    return dir ? dir : "";
}

int peerPort() { return std::atoi(readFile(peerDir() + "\\port").c_str()); }

// Puts messages into a mailbox the way a delivery does: written into tmp,
// then moved into new.
void seed(const std::string& user, const std::vector<std::string>& messages) {
    static int serial = 0;
    for (const std::string& m : messages) {
        std::string name = std::to_string(GetTickCount()) + ".M" + std::to_string(++serial) + "P" +
                           std::to_string(GetCurrentProcessId()) + ".test";
        std::string tmp = peerDir() + "\\mail\\" + user + "\\tmp\\" + name;
        ASSERT_TRUE(writeFile(tmp, m));
        ASSERT_TRUE(MoveFileA(tmp.c_str(), (peerDir() + "\\mail\\" + user + "\\new\\" + name).c_str()));
    }
}

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
    int s = OpenPop3(nullptr, "127.0.0.1", user.c_str(), password, peerPort());
    EXPECT_NE(s, -1) << "see " << peerDir() << "\\dovecot.log";
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
        ASSERT_FALSE(peerDir().empty()) << "POP3_PEER_DIR is not set";
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

const std::string kReceivedStart = "Received: from <127.0.0.1> id=";

// The message bytes behind the Received header, which must have the form
// the download writes.
std::string afterReceived(const std::string& stored, const std::string& user, const std::string& by) {
    std::string start = kReceivedStart + user + "\r\n\tby " + by + " on ";
    EXPECT_EQ(stored.substr(0, start.size()), start);
    std::size_t end = stored.find("\r\n", start.size());
    EXPECT_EQ(end, start.size() + 24) << "the C library's date text";
    return end == std::string::npos ? "" : stored.substr(end + 2);
}

}  // namespace

TEST_F(Pop3Dovecot, CollectsEachMessageExactlyThenDeleRemovesThem) {
    const std::vector<std::string> messages = {plainMessage(), multipartMessage(), dotsMessage(), eightBitMessage()};
    seed("t1", messages);
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
    seed("t2", {big, plainMessage()});
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
    seed("t2", {big});
    s = openMailbox("t2");
    EXPECT_EQ(GetMailPop3(s, 2, file.c_str(), 1, 0, nullptr, 0), 0);
    EXPECT_TRUE(afterReceived(readFile(file), "t2", "Tarnmail v4.1") == big);
    EXPECT_EQ(ClosePop3(s), 0);
    EXPECT_EQ(messageCount("t2"), 1);
}

TEST_F(Pop3Dovecot, AWrongPasswordIsRefusedWithTheServersLine) {
    EXPECT_EQ(OpenPop3(nullptr, "127.0.0.1", "t3", "wrong", peerPort()), -1);
    EXPECT_EQ(ClosePop3(-1), 0);
    ASSERT_GE(recorder.status.size(), 2u);
    EXPECT_EQ(recorder.status.back(), "Password is incorrect ");
    EXPECT_EQ(recorder.status[recorder.status.size() - 2].rfind("-ERR", 0), 0u);
}

TEST_F(Pop3Dovecot, TheHostCollectsAMailboxIntoMessageFiles) {
    seed("t4", {plainMessage(), dotsMessage()});
    std::string in = dir.file("in");
    CreateDirectoryA(in.c_str(), nullptr);
    ProcessResult r = runProcess("\"" + exeFolder() + "\\host.exe\" \"" + dir.path() + "\" collect 127.0.0.1 " +
                                 std::to_string(peerPort()) + " t4 secret \"" + in + "\"");
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
