// GetOnLine, GetOffline and IsOnLine through the real DLL against the
// stand-in dial-up handler, with short time-outs and delays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connect_fixture.h"
#include "utilities.h"

using namespace connect_test;
using namespace testing_support;
using Lines = std::vector<std::string>;

namespace {

constexpr LPARAM kParam = 4242;

Lines dialupConfig(int timeout, int retries, int delay) {
    return {"[dialup]", "type=0", "ras=Office ISP", "timeout=" + std::to_string(timeout),
            "retries=" + std::to_string(retries), "delay=" + std::to_string(delay)};
}

bool contains(const Lines& lines, const std::string& line) {
    for (const auto& l : lines)
        if (l == line) return true;
    return false;
}

class Dialup : public HandlerTest {
protected:
    int getOnLine() { return GetOnLine(nameWindow, kParam, statusWindow); }
};

}  // namespace

TEST_F(Dialup, OtherConnectionTypesNeedNoHandler) {
    writeConfig({"[dialup]", "type=1"});
    EXPECT_EQ(getOnLine(), 1);
    EXPECT_EQ(IsOnLine(), 0);
    EXPECT_EQ(GetOffline(nameWindow, kParam, statusWindow), 1);
    writeConfig({"[dialup]", "type=2"});
    EXPECT_EQ(GetOffline(nameWindow, kParam, statusWindow), 2);
    // A missing type means a LAN or router connection.
    writeConfig({"[dialup]", "ras=Office ISP"});
    EXPECT_EQ(getOnLine(), 1);
    EXPECT_FALSE(fileExists(file("rashand.log"))) << "the handler was started";
    EXPECT_EQ(handlerWindow(), nullptr);
    EXPECT_TRUE(recorder->status.empty());
}

TEST_F(Dialup, ExistingConnectionIsUsedWithoutDialling) {
    writeConfig(dialupConfig(10, 3, 1));
    writeScript({"connected=1"});
    EXPECT_EQ(getOnLine(), 1);
    EXPECT_EQ(statusTexts(), (Lines{"Using existing connection"}));
    EXPECT_EQ(dialEvents(), (Lines{"Using existing connection"}));
    Lines log = handlerLog();
    ASSERT_FALSE(log.empty());
    // Started through the shell with the install folder as working folder.
    EXPECT_EQ(log[0], "start folder=" + folder());
    EXPECT_TRUE(contains(log, "USER+1 wparam=0 lparam=4242"));
    EXPECT_EQ(countLines(log, "USER+7"), 0);
    EXPECT_EQ(IsOnLine(), 1);
}

TEST_F(Dialup, OneDialConnectsThenHangsUp) {
    writeConfig(dialupConfig(10, 3, 1));
    writeScript({"answer=OK", "answer_after=1300", "progress=Dialling"});
    EXPECT_EQ(getOnLine(), 1);
    Lines expected{"Dialing Office ISP (1 of 4)", "Connected to Office ISP"};
    EXPECT_EQ(statusTexts(), expected);
    EXPECT_EQ(dialEvents(), expected);
    Lines log = handlerLog();
    EXPECT_TRUE(contains(log, "USER+7 name=Office ISP lparam=name-window")) << "the name window carries the name";
    EXPECT_TRUE(contains(log, "USER+1 wparam=1 lparam=4242"));
    EXPECT_TRUE(contains(log, "answer Dialling")) << "a progress word keeps the dial waiting";
    EXPECT_EQ(IsOnLine(), 1);

    recorder->clear();
    SetWindowTextA(nameWindow, "");
    GetOffline(nameWindow, kParam, statusWindow);
    EXPECT_EQ(statusTexts(), (Lines{"Disconnecting Office ISP "}));
    EXPECT_EQ(dialEvents(), (Lines{"Disconnecting Office ISP "}));
    EXPECT_TRUE(contains(handlerLog(), "USER+4 name=Office ISP lparam=4242"));
    EXPECT_EQ(IsOnLine(), 0);
}

TEST_F(Dialup, AlwaysBusyCountsTheRedials) {
    writeConfig(dialupConfig(10, 3, 1));
    writeScript({"busy=99", "answer_after=100"});
    EXPECT_EQ(getOnLine(), 0);
    Lines expected;
    for (int attempt = 1; attempt <= 4; ++attempt) {
        if (attempt > 1) expected.push_back("Waiting to redial Office ISP 1 seconds");
        expected.push_back("Dialing Office ISP (" + std::to_string(attempt) + " of 4)");
        expected.push_back("Line is busy");
    }
    expected.push_back("Line is busy (no more retries)");
    EXPECT_EQ(statusTexts(), expected);
    // The redial waits reach the status window only.
    EXPECT_FALSE(contains(dialEvents(), "Waiting to redial Office ISP 1 seconds"));
    EXPECT_EQ(dialEvents().size(), expected.size() - 3);
    Lines log = handlerLog();
    EXPECT_EQ(countLines(log, "USER+7"), 4);
    EXPECT_EQ(countLines(log, "USER+9 name=Office ISP lparam=4242"), 4);
    EXPECT_EQ(countLines(log, "USER+6"), 4);
    EXPECT_EQ(countLines(log, "USER+4 name=Office ISP lparam=4242"), 4);
}

TEST_F(Dialup, HandlerThatQuitsOnResetIsStartedAgain) {
    writeConfig(dialupConfig(10, 1, 1));
    writeScript({"busy=1", "answer=OK", "answer_after=100", "exit_on_reset=1"});
    EXPECT_EQ(getOnLine(), 1);
    EXPECT_EQ(statusTexts(), (Lines{"Dialing Office ISP (1 of 2)", "Line is busy",
                                    "Waiting to redial Office ISP 1 seconds", "Dialing Office ISP (2 of 2)",
                                    "Connected to Office ISP"}));
    Lines log = handlerLog();
    EXPECT_EQ(countLines(log, "start folder="), 2);
    EXPECT_EQ(countLines(log, "exit"), 1);
}

TEST_F(Dialup, FailureIsReportedAndNotRetried) {
    writeConfig(dialupConfig(10, 3, 1));
    writeScript({"answer=FAIL", "reason=No dial tone", "answer_after=100"});
    EXPECT_EQ(getOnLine(), 0);
    EXPECT_EQ(statusTexts(), (Lines{"Dialing Office ISP (1 of 4)", "Dialup failed - No dial tone"}));
    EXPECT_EQ(dialEvents(), statusTexts());
    Lines log = handlerLog();
    EXPECT_EQ(countLines(log, "USER+7"), 1);
    EXPECT_EQ(countLines(log, "USER+9"), 1);
    EXPECT_EQ(countLines(log, "USER+6"), 1);

    recorder->clear();
    writeScript({"answer=FAIL", "answer_after=100"});
    EXPECT_EQ(getOnLine(), 0);
    EXPECT_EQ(statusTexts(), (Lines{"Dialing Office ISP (1 of 4)", "Dialup failed"}));
}

TEST_F(Dialup, TimeOutCancelsAndHangsUp) {
    writeConfig(dialupConfig(2, 3, 1));
    writeScript({"answer=NONE"});
    DWORD start = GetTickCount();
    EXPECT_EQ(getOnLine(), 0);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_GE(elapsed, 2900u) << "two polls and the second after the cancel";
    EXPECT_EQ(statusTexts(), (Lines{"Dialing Office ISP (1 of 4)", "Connection timed out"}));
    Lines log = handlerLog();
    ASSERT_GE(log.size(), 3u);
    EXPECT_EQ(Lines(log.end() - 3, log.end()), (Lines{"USER+9 name=Office ISP lparam=4242", "USER+6",
                                                      "USER+4 name=Office ISP lparam=4242"}));
    EXPECT_EQ(countLines(log, "USER+9"), 1);
    EXPECT_EQ(countLines(log, "USER+4 name=Office ISP"), 1);
}

TEST_F(Dialup, SecondCallDuringADialIsRefused) {
    writeConfig(dialupConfig(10, 3, 1));
    writeScript({"answer=OK", "answer_after=1500"});
    int second = -1;
    runLater(1200, [&] { second = getOnLine(); });
    EXPECT_EQ(getOnLine(), 1);
    EXPECT_EQ(second, 0);
    EXPECT_EQ(countLines(handlerLog(), "USER+7"), 1);
    // Once the dial is over, the next call runs again.
    EXPECT_EQ(getOnLine(), 1);
    EXPECT_EQ(statusTexts().back(), "Using existing connection");
}

TEST_F(Dialup, AbortCommsEndsTheDialWithinASecond) {
    writeConfig(dialupConfig(30, 3, 1));
    writeScript({"answer=NONE"});
    DWORD abortedAt = 0;
    runLater(1500, [&] {
        abortedAt = GetTickCount();
        AbortComms(1);
    });
    EXPECT_EQ(getOnLine(), 0);
    DWORD returnedAt = GetTickCount();
    ASSERT_NE(abortedAt, 0u);
    EXPECT_LE(returnedAt - abortedAt, 1500u);
    EXPECT_EQ(statusTexts(), (Lines{"Dialing Office ISP (1 of 4)"}));
    Lines log = handlerLog();
    EXPECT_EQ(log.back(), "USER+4 name=Office ISP lparam=4242") << "hung up";
    EXPECT_EQ(countLines(log, "USER+9"), 0);
}

TEST_F(Dialup, MissingHandlerProgram) {
    writeConfig(dialupConfig(10, 3, 1));
    ScratchDir elsewhere("nohandler");
    ASSERT_NE(SetPath(elsewhere.path().c_str()), 0);  // ms.ini stays where it was
    EXPECT_EQ(getOnLine(), 0);
    EXPECT_EQ(IsOnLine(), 0);
    GetOffline(nameWindow, kParam, statusWindow);
    ASSERT_NE(SetPath(folder().c_str()), 0);
    EXPECT_EQ(statusTexts(), (Lines{"Error cannot load rashand.exe"}));
    EXPECT_EQ(dialEvents(), (Lines{"Error cannot load rashand.exe"}));
}

TEST_F(Dialup, QuitMessageEndsTheDialAndLaterCalls) {
    // In a host process of its own: the dial stays marked as running.
    writeConfig(dialupConfig(30, 3, 1));
    writeScript({"answer=NONE"});
    auto result = runProcess("\"" + exeFolder() + "\\host.exe\" \"" + folder() +
                             "\" quitafter 1500 getonline 1 getonline 2");
    EXPECT_EQ(result.exitCode, 0u) << result.output;
    const std::string& out = result.output;
    std::size_t first = out.find("getonline: 0");
    ASSERT_NE(first, std::string::npos) << out;
    EXPECT_NE(out.find("getonline: 0", first + 1), std::string::npos) << out;
    EXPECT_NE(out.find("quit posted"), std::string::npos) << out;
    EXPECT_EQ(countLines(handlerLog(), "USER+7"), 1) << "the second call did not dial";
    EXPECT_EQ(countLines(handlerLog(), "USER+4"), 0);
}
