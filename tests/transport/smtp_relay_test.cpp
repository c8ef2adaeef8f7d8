// Delivery through a real relay (the private Postfix of tests/peers), from
// message files with and without envelopes: what arrives in the relay's
// maildir is compared with what was sent.
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "support/install_folder.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

const auto* const installEnvironment =
    ::testing::AddGlobalTestEnvironment(new InstallFolder("smtprelay"));

std::string install(const std::string& name) { return InstallFolder::file(name); }

// A Unix path as the Windows side sees it.
std::string windowsPath(const std::string& unixPath) {
    std::string path = "Z:" + unixPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
}

// The relay's NAME=value settings, written by postfix.sh start.
std::map<std::string, std::string> relaySettings() {
    std::map<std::string, std::string> settings;
    const char* dir = std::getenv("SMTP_RELAY_DIR");
    if (!dir) return settings;
    std::string text = readFile(windowsPath(std::string(dir) + "/env"));
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        std::size_t eq = line.find('=');
        if (eq != std::string::npos) settings[line.substr(0, eq)] = line.substr(eq + 1);
        start = end + 1;
    }
    return settings;
}

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

std::string firstBytes(const std::string& path, DWORD count) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string bytes(count, '\0');
    DWORD got = 0;
    ReadFile(f, bytes.data(), count, &got, nullptr);
    CloseHandle(f);
    bytes.resize(got);
    return bytes;
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
        std::string found;
        std::string marker = "\nDelivered-To: " + recipient + "\n";
        waitUntil(
            [&] {
                WIN32_FIND_DATAA entry;
                HANDLE h = FindFirstFileA((maildir + "\\*").c_str(), &entry);
                if (h == INVALID_HANDLE_VALUE) return false;
                do {
                    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
                    std::string path = maildir + "\\" + entry.cFileName;
                    if (firstBytes(path, 4096).find(marker) != std::string::npos) found = readFile(path);
                } while (found.empty() && FindNextFileA(h, &entry));
                FindClose(h);
                return !found.empty();
            },
            milliseconds);
        return found;
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

    // The relay takes the Bcc line out; the empty line before the end of
    // the data stays.
    std::string expected = toLf(message) + "\n";
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
    EXPECT_EQ(own.size(), toLf(message).size() + 1);
    EXPECT_TRUE(own == toLf(message) + "\n");
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
    EXPECT_EQ(ownPart(delivered(tag + "-auth@a.example"), "X-Test: "), toLf(message) + "\n");
}
