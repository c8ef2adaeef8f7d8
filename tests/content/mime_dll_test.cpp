// The content exports through the real utilities.dll: a message taken apart
// by position and delimiter, the window messages during a decode, the
// encoder's event-log lines, and arguments only the library may pass.
#include <gtest/gtest.h>

#include <string>

#include "support/install.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

const auto* const installEnvironment =
    ::testing::AddGlobalTestEnvironment(Install::forProgram({"event log"}));

std::string file(const std::string& name) { return Install::program().file(name); }

// Takes a quit message off the queue; true if there was one.
bool takeQuit() {
    MSG msg;
    return PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

const char kMessage[] =
    "From: a@example.com\r\n"
    "Content-Type: multipart/mixed; boundary=\"xyz\"\r\n"
    "\r\n"
    "--xyz\r\n"
    "Content-Type: text/plain\r\n"
    "\r\n"
    "hello\r\n"
    "--xyz\r\n"
    "Content-Type: multipart/alternative; boundary=\"alt\"\r\n"
    "\r\n"
    "--alt\r\n"
    "Content-Type: application/octet-stream\r\n"
    "Content-Transfer-Encoding: base64\r\n"
    "\r\n"
    "TWFu\r\n"
    "--alt--\r\n"
    "--xyz\r\n"
    "Content-Type: text/plain\r\n"
    "Content-Transfer-Encoding: x-uuencode\r\n"
    "\r\n"
    "begin 644 cat.txt\r\n"
    "#0V%T\r\n"
    "`\r\n"
    "end\r\n"
    "--xyz\r\n"
    "Content-Type: text/html\r\n"
    "Content-Transfer-Encoding: quoted-printable\r\n"
    "\r\n"
    "<p>caf=E9=\r\n"
    "</p>\r\n"
    "--xyz--\r\n";

TEST(MimeDll, MessageTakenApartPartByPart) {
    std::string message = file("message.txt");
    ASSERT_TRUE(writeFile(message, kMessage));
    char boundary[2048] = "untouched";
    ASSERT_EQ(FindMimeBoundary(message.c_str(), boundary), 1);
    EXPECT_STREQ(boundary, "xyz");

    unsigned int counter = 0;
    char part[256] = {};
    int first = FindBoundaryPos(message.c_str(), "--xyz", 1, nullptr, &counter, part, 0, 0);
    EXPECT_EQ(first, static_cast<int>(std::string(kMessage).find("--alt\r\n") + 7));
    EXPECT_STREQ(part, "--alt");
    ASSERT_EQ(DecodeBase64(message.c_str(), file("1.bin").c_str(), first, part), 0);
    EXPECT_EQ(readFile(file("1.bin")), "Man");

    int second = FindBoundaryPos(message.c_str(), "--xyz", 2, nullptr, &counter, part, first, 1);
    EXPECT_EQ(counter, 2u);
    EXPECT_STREQ(part, "--xyz");
    int position = second;
    ASSERT_EQ(DecodeMimeUU(message.c_str(), file("2.bin").c_str(), &position, part), 0);
    EXPECT_EQ(readFile(file("2.bin")), "Cat");
    EXPECT_EQ(position, static_cast<int>(std::string(kMessage).find("end\r\n") + 5));

    EXPECT_EQ(FindBoundaryPos(message.c_str(), "--xyz", 3, nullptr, &counter, part, second, 2), -1);
    EXPECT_EQ(counter, 2u);

    int html = static_cast<int>(std::string(kMessage).rfind("--xyz\r\n") + 7);
    ASSERT_EQ(DecodeQuoted(message.c_str(), file("3.txt").c_str(), 1, html, "--xyz"), 0);
    EXPECT_EQ(readFile(file("3.txt")), "<p>caf\xe9</p>\r\n");

    EXPECT_EQ(ExtractMimeText(message.c_str(), file("text.txt").c_str(), "--xyz", nullptr, 0), 2);
    EXPECT_EQ(readFile(file("text.txt")),
              "From: a@example.com\r\n\r\n\r\nhello\r\n\r\n<p>caf\xe9</p>\r\n");
}

TEST(MimeDll, RefusesWhatOnlyTheLibraryCanPass) {
    std::string message = file("refuse.txt");
    ASSERT_TRUE(writeFile(message, kMessage));
    unsigned int counter = 0;
    char part[256] = "untouched";
    int notAStream = 0;
    EXPECT_EQ(FindBoundaryPos(message.c_str(), "--xyz", 1, &notAStream, &counter, part, 0, 0), -1);
    EXPECT_STREQ(part, "untouched");
    EXPECT_EQ(ExtractMimeText(message.c_str(), file("x.txt").c_str(), "--xyz", &notAStream, 0), -1);
    EXPECT_EQ(ExtractMimeText(message.c_str(), file("x.txt").c_str(), "", nullptr, 0), -1);
    char boundary[16] = "untouched";
    EXPECT_EQ(FindMimeBoundary(file("missing.txt").c_str(), boundary), 0);
    EXPECT_STREQ(boundary, "untouched");
    EXPECT_EQ(FindBoundaryPos(file("missing.txt").c_str(), "--xyz", 1, nullptr, &counter, part, 0, 0), -1);
    EXPECT_EQ(DecodeBase64(file("missing.txt").c_str(), file("o").c_str(), 0, ""), -1);
    EXPECT_EQ(DecodeBase64(message.c_str(), nullptr, 0, nullptr), -1);
}

TEST(MimeDll, EncoderWritesTheEventLog) {
    DeleteFileA(file("event log\\events.txt").c_str());
    EXPECT_EQ(EncodeBase64(file("no such file").c_str(), file("out.b64").c_str()), -1);
    ASSERT_TRUE(writeFile(file("in.bin"), "abc"));
    EXPECT_EQ(EncodeBase64(file("in.bin").c_str(), file("no folder\\out.b64").c_str()), -1);
    std::string events = readFile(file("event log\\events.txt"));
    EXPECT_NE(events.find(" : Cannot open attachment file\r\n"), std::string::npos) << events;
    EXPECT_NE(events.find(" : Cannot open output attachment file\r\n"), std::string::npos) << events;
    EXPECT_EQ(EncodeBase64(file("in.bin").c_str(), file("out.b64").c_str()), 0);
    EXPECT_EQ(readFile(file("out.b64")), "YWJj\r\n\r\n");
}

// A window that counts the messages WM_APP it is sent and posts a quit
// message on kQuitNow or at its first timer.
struct QuitWindow {
    static constexpr UINT kQuitNow = WM_APP + 1;
    int seen = 0;
    int timers = 0;
    TestWindow window{[this](HWND w, UINT m, WPARAM wp, LPARAM) {
        if (m == WM_APP) ++seen;
        if (m != kQuitNow && m != WM_TIMER) return false;
        if (m == WM_TIMER) ++timers, KillTimer(w, wp);
        PostQuitMessage(7);
        return true;
    }};
};

TEST(MimeDll, WindowMessagesDuringADecode) {
    QuitWindow recorder;
    std::string input = file("lines.b64");
    std::string lines;
    for (int i = 0; i < 1000; ++i) lines += "TWFu\r\n";
    ASSERT_TRUE(writeFile(input, lines));

    // Waiting messages are dispatched; the decoding goes on.
    recorder.seen = 0;
    PostMessageA(recorder.window.hwnd(), WM_APP, 0, 0);
    ASSERT_EQ(DecodeBase64(input.c_str(), file("all.bin").c_str(), 0, ""), 0);
    EXPECT_EQ(recorder.seen, 1);
    EXPECT_EQ(fileSize(file("all.bin")), 3000);
    EXPECT_FALSE(takeQuit());

    // A quit message posted by a window procedure the decoder dispatches
    // ends the decoding as a success, and stays for the caller's loop.
    PostMessageA(recorder.window.hwnd(), QuitWindow::kQuitNow, 0, 0);
    ASSERT_EQ(DecodeBase64(input.c_str(), file("none.bin").c_str(), 0, ""), 0);
    EXPECT_EQ(fileSize(file("none.bin")), 0);
    EXPECT_TRUE(takeQuit());

    PostQuitMessage(0);
    EXPECT_EQ(EncodeBase64(input.c_str(), file("none.b64").c_str()), 0);
    EXPECT_EQ(readFile(file("none.b64")), "\r\n");
    EXPECT_TRUE(takeQuit());
}

TEST(MimeDll, QuitWhileALargePartDecodes) {
    QuitWindow recorder;
    std::string input = file("large.b64");
    std::string line(76, 'A');
    line += "\r\n";
    std::string text;
    for (int i = 0; i < 200000; ++i) text += line;  // 15 MB of text, 11 MB decoded
    ASSERT_TRUE(writeFile(input, text));
    recorder.timers = 0;
    SetTimer(recorder.window.hwnd(), 1, 1, nullptr);
    ASSERT_EQ(DecodeBase64(input.c_str(), file("large.bin").c_str(), 0, ""), 0);
    EXPECT_EQ(recorder.timers, 1);
    long long size = fileSize(file("large.bin"));
    EXPECT_GT(size, 0);
    EXPECT_LT(size, 200000LL * 57);
    EXPECT_EQ(size % 57, 0);
    EXPECT_TRUE(takeQuit());
}

}  // namespace
