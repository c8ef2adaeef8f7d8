// The frame's exports through the real utilities.dll: the install folder,
// the event list and the event log file, the status of the platform.
#include <gtest/gtest.h>

#include <string>

#include "support/install.h"
#include "support/recorder.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

const auto* const installEnvironment = ::testing::AddGlobalTestEnvironment(Install::forProgram());

std::string install(const std::string& name) { return Install::program().file(name); }
std::string eventsFile() { return install("event log\\events.txt"); }

class FrameDll : public ::testing::Test {
protected:
    void SetUp() override {
        removeTree(install("event log"));
        DeleteFileA(install("ms.ini").c_str());
    }
};

bool endsWithTimeStamp(const std::string& line) {
    // "\t7 Dec 2026\t08:05:09"
    auto tab = line.rfind('\t');
    return tab != std::string::npos && line.size() - tab == 9 && line[tab + 3] == ':' && line[tab + 6] == ':';
}

}  // namespace

TEST_F(FrameDll, SetPathEntersTheFolderAndReportsAMissingOne) {
    char current[MAX_PATH];
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STRCASEEQ(current, Install::program().path().c_str());
    // The configuration path stays where it was first built: a second call
    // enters the new folder, and ms.ini is still read from the first.
    ScratchDir other("other");
    ASSERT_TRUE(writeFile(install("ms.ini"), "[EventLog]\r\nuse=0\r\n"));
    LogEvent("the configuration path is built here", 4);
    ASSERT_TRUE(CreateDirectoryA(other.file("event log").c_str(), nullptr));
    ASSERT_NE(SetPath(other.path().c_str()), 0);
    GetCurrentDirectoryA(sizeof current, current);
    EXPECT_STRCASEEQ(current, other.path().c_str());
    LogEvent("after the move", 4);
    EXPECT_FALSE(fileExists(other.file("event log\\events.txt"))) << "use=0 read from the first ms.ini";

    EXPECT_EQ(SetPath(other.file("missing").c_str()), 0);
    ASSERT_NE(SetPath(Install::program().path().c_str()), 0);
}

TEST_F(FrameDll, EventListLinesCategoriesAndTheMessageToTheParent) {
    Recorder w;
    LogEvent("Connected to the server", 4);
    LogEvent("first line\r\nsecond line", 3);
    LogEvent(nullptr, 2);
    ASSERT_EQ(w.lineCount(), 3);
    EXPECT_EQ(w.line(0).rfind("Connected to the server\t", 0), 0u);
    EXPECT_TRUE(endsWithTimeStamp(w.line(0))) << w.line(0);
    EXPECT_EQ(w.line(1).rfind("first line\t", 0), 0u) << w.line(1);
    EXPECT_EQ(w.line(2)[0], '\t');
    ASSERT_EQ(w.events.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(w.events[i].line, i);
        EXPECT_EQ(w.events[i].category, 4 - i);
    }
}

TEST_F(FrameDll, TheListKeepsTheNewest501LinesAndShowsTheLast) {
    Recorder w;
    for (int i = 0; i < 600; ++i) LogEvent(("event " + std::to_string(i)).c_str(), 4);
    ASSERT_EQ(w.lineCount(), 501);
    EXPECT_EQ(w.line(0).rfind("event 99\t", 0), 0u) << w.line(0);
    EXPECT_EQ(w.line(500).rfind("event 599\t", 0), 0u);
    EXPECT_EQ(w.events.back().line, 500);
    // The newest line is the last one visible.
    RECT client, item;
    GetClientRect(w.eventList(), &client);
    SendMessageA(w.eventList(), LB_GETITEMRECT, 500, reinterpret_cast<LPARAM>(&item));
    EXPECT_LE(item.bottom, client.bottom + 1);
    EXPECT_GE(item.top, client.top);
}

TEST_F(FrameDll, LongTextsAreCutToTheLineLimit) {
    Recorder w;
    ASSERT_TRUE(CreateDirectoryA(install("event log").c_str(), nullptr));
    std::string text(2000, 'y');
    LogEvent(text.c_str(), 4);
    EXPECT_EQ(w.line(0).size(), 1023u);
    EXPECT_TRUE(endsWithTimeStamp(w.line(0)));
    std::string file = readFile(eventsFile());
    EXPECT_EQ(file.size(), 1023u);
    EXPECT_EQ(file.substr(file.size() - 2), "\r\n");
}

TEST_F(FrameDll, TheLogFileGetsDateTextSeparatorAndTextUnchanged) {
    ASSERT_TRUE(CreateDirectoryA(install("event log").c_str(), nullptr));
    LogEvent("two\r\nlines", 3);
    LogEvent("", 1);
    std::string file = readFile(eventsFile());
    // "Mon Dec 07 08:05:09 2026 : two\r\nlines\r\n" then "... : \r\n"
    ASSERT_GE(file.size(), 27u);
    EXPECT_EQ(file.substr(24, 3), " : ");
    EXPECT_EQ(file[3], ' ');
    EXPECT_EQ(file[7], ' ');
    EXPECT_EQ(file[10], ' ');
    EXPECT_EQ(file.substr(27, 12), "two\r\nlines\r\n");
    std::string second = file.substr(39);
    EXPECT_EQ(second.size(), 29u);
    EXPECT_EQ(second.substr(24), " : \r\n");
}

TEST_F(FrameDll, NoFileWithoutTheFolderOrWithUseZero) {
    Recorder w;
    LogEvent("no folder yet", 4);
    EXPECT_FALSE(fileExists(install("event log")));
    ASSERT_TRUE(CreateDirectoryA(install("event log").c_str(), nullptr));
    ASSERT_TRUE(writeFile(install("ms.ini"), "[EventLog]\r\nuse=0\r\n"));
    LogEvent("file log off", 4);
    EXPECT_FALSE(fileExists(eventsFile()));
    EXPECT_EQ(w.lineCount(), 2) << "the list is not affected";
    ASSERT_TRUE(writeFile(install("ms.ini"), "[EventLog]\r\nuse=2\r\n"));
    LogEvent("file log on", 4);
    EXPECT_TRUE(fileExists(eventsFile()));
}

TEST_F(FrameDll, APastLimitLogIsTrimmedToItsLast32KiB) {
    ASSERT_TRUE(CreateDirectoryA(install("event log").c_str(), nullptr));
    std::string old;
    for (int i = 0; old.size() <= 524288; ++i) old += "old event line number " + std::to_string(i) + "\r\n";
    ASSERT_TRUE(writeFile(eventsFile(), old));
    LogEvent("after trimming", 4);
    std::string file = readFile(eventsFile());
    std::string tail = old.substr(old.size() - 32768);
    ASSERT_GT(file.size(), 32768u);
    EXPECT_EQ(file.substr(0, 32768), tail);
    EXPECT_EQ(file.substr(32768 + 24), " : after trimming\r\n");
    EXPECT_FALSE(fileExists(install("event log\\events.tmp")));

    // At exactly the limit nothing is trimmed.
    ASSERT_TRUE(writeFile(eventsFile(), std::string(524288, 'z')));
    LogEvent("at the limit", 4);
    EXPECT_GT(fileSize(eventsFile()), 524288);
}

TEST_F(FrameDll, StringOutAppendsTheFirstLineAndLeavesTheCallersText) {
    Recorder w;
    char text[] = "a list entry\r\nmore";
    StringOut(w.eventList(), text);
    StringOut(w.eventList(), "");
    StringOut(w.eventList(), nullptr);
    StringOut(nullptr, "ignored");
    ASSERT_EQ(w.lineCount(), 1);
    EXPECT_EQ(w.line(0), "a list entry");
    EXPECT_STREQ(text, "a list entry\r\nmore");
    for (int i = 0; i < 520; ++i) StringOut(w.eventList(), "x");
    EXPECT_EQ(w.lineCount(), 501);
    EXPECT_TRUE(w.events.empty()) << "StringOut sends no event message";
}

TEST_F(FrameDll, LogEventPumpsTheCallersQueueAndKeepsAQuit) {
    int delivered = 0;
    TestWindow window([&](HWND, UINT m, WPARAM, LPARAM) { return m == WM_APP + 5 && ++delivered; }, HWND_MESSAGE, 0);
    HWND target = window.hwnd();
    PostMessageA(target, WM_APP + 5, 0, 0);
    PostMessageA(target, WM_APP + 5, 0, 0);
    EXPECT_EQ(LogEvent("pump", 4), 0);
    EXPECT_EQ(delivered, 2);

    PostQuitMessage(7);
    PostMessageA(target, WM_APP + 5, 0, 0);
    EXPECT_NE(LogEvent("quit", 4), 0);
    MSG msg;
    bool quitAgain = false;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (msg.message == WM_QUIT) quitAgain = msg.wParam == 7;
    EXPECT_TRUE(quitAgain) << "the host's loop still sees its quit";
}

TEST_F(FrameDll, VersionNumbersAgreeWithThePlatform) {
    int major = -5, minor = -5;
    EXPECT_EQ(GetWinFull(&major, &minor), -1);
    EXPECT_EQ(major, GetWinMajor());
    EXPECT_EQ(minor, GetWinMinor());
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    EXPECT_EQ(static_cast<DWORD>(major), info.dwMajorVersion);
    EXPECT_EQ(static_cast<DWORD>(minor), info.dwMinorVersion);
    EXPECT_EQ(GetWinFull(nullptr, nullptr), -1);
}

TEST_F(FrameDll, HelpIsNeededOnlyWithBothFilesAndNoViewer) {
    // Wine ships hh.exe in its Windows folder, so the viewer never needs
    // installing there; the two files' presence is checked first.
    EXPECT_EQ(IsHelpInstalled(), 1);
    ASSERT_TRUE(writeFile(install("tarnmail.chm"), "ITSF"));
    EXPECT_EQ(IsHelpInstalled(), 1) << "hhupd.exe missing";
    ASSERT_TRUE(writeFile(install("hhupd.exe"), "MZ"));
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    bool viewerPresent = fileExists(std::string(windows) + "\\hh.exe");
    EXPECT_EQ(IsHelpInstalled(), viewerPresent ? 1 : 0);
    DeleteFileA(install("tarnmail.chm").c_str());
    EXPECT_EQ(IsHelpInstalled(), 1) << "tarnmail.chm missing";
    DeleteFileA(install("hhupd.exe").c_str());
}

TEST_F(FrameDll, RunAppReportsTheShellsAnswer) {
    // A program that does not exist: the shell's error code (32 or less).
    int result = RunApp(nullptr, install("no such program.exe").c_str(), "");
    EXPECT_GE(result, 0);
    EXPECT_LE(result, 32);
    EXPECT_LE(OpenBrowser(nullptr, install("missing document.xyz").c_str()), 32);
}

TEST_F(FrameDll, RunHelpOpensTheViewerOrFailsCleanly) {
    // The viewer loads (hhctrl.ocx, ordinal 14); a missing help file gives
    // no window.
    EXPECT_EQ(RunHelp(nullptr), 0);
}
