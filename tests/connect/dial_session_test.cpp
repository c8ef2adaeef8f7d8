// One dial against a scripted platform: every request and status line in
// order, without waiting real seconds.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "connect/dial_session.h"

using namespace util;

namespace {

// Records what the dial does as lines; the handler's answers are a queue
// of name-window texts, one read per poll.
class ScriptedPlatform : public DialPlatform {
public:
    bool handlerFound = true;
    bool connected = false;
    bool refuseDial = false;
    std::deque<std::string> answers;  // one per poll; empty: the name stays
    std::string idleText = "ISP";
    int abortAfterSleeps = -1;        // the abort switch goes on after n sleeps
    int quitAfterSleeps = -1;
    std::vector<std::string> seen;
    int sleeps = 0;

    bool findHandler() override {
        seen.push_back("find");
        return handlerFound;
    }
    bool connectionUp() override { return connected; }
    void reportConnected(bool ourDial) override { seen.push_back(ourDial ? "note 1" : "note 0"); }
    bool startDial(const std::string& name) override {
        seen.push_back("dial " + name);
        return !refuseDial;
    }
    void hangUp(const std::string& name) override { seen.push_back("hangup " + name); }
    void cancelDial(const std::string& name) override { seen.push_back("cancel " + name); }
    void resetHandler() override { seen.push_back("reset"); }
    std::string connectionName() override { return "ISP"; }
    std::string nameWindowText() override {
        if (answers.empty()) return idleText;
        std::string text = answers.front();
        answers.pop_front();
        return text;
    }
    bool abortRequested() override { return abortAfterSleeps >= 0 && sleeps >= abortAfterSleeps; }
    void sleepOneSecond() override { ++sleeps; }
    bool pumpMessages() override { return !(quitAfterSleeps >= 0 && sleeps >= quitAfterSleeps); }
    void statusLine(const std::string& text, bool logged) override {
        seen.push_back((logged ? "status " : "window ") + text);
    }

    std::vector<std::string> statuses() const {
        std::vector<std::string> out;
        for (const auto& s : seen)
            if (s.rfind("status ", 0) == 0 || s.rfind("window ", 0) == 0) out.push_back(s);
        return out;
    }
};

DialSettings settings(int timeout, int retries, int delay) { return DialSettings{timeout, retries, delay}; }

using Lines = std::vector<std::string>;

}  // namespace

TEST(Dial, NoHandler) {
    ScriptedPlatform p;
    p.handlerFound = false;
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Failed);
    EXPECT_EQ(p.seen, (Lines{"find", "status Error cannot load rashand.exe"}));
}

TEST(Dial, ExistingConnectionIsUsed) {
    ScriptedPlatform p;
    p.connected = true;
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Online);
    EXPECT_EQ(p.seen, (Lines{"find", "status Using existing connection", "note 0"}));
}

TEST(Dial, ConnectsAfterProgressTexts) {
    ScriptedPlatform p;
    p.answers = {"Dialing", "Authenticating", "OK"};
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Online);
    EXPECT_EQ(p.seen, (Lines{"find", "status Dialing ISP (1 of 4)", "dial ISP", "status Connected to ISP", "note 1"}));
    EXPECT_EQ(p.sleeps, 3);
    EXPECT_EQ(c.seconds, 2);
}

TEST(Dial, RefusedDialEndsWithoutStatus) {
    ScriptedPlatform p;
    p.refuseDial = true;
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Failed);
    EXPECT_EQ(p.seen, (Lines{"find", "status Dialing ISP (1 of 4)", "dial ISP"}));
}

TEST(Dial, FailureWithAndWithoutReason) {
    struct Case {
        const char* answer;
        const char* line;
    } cases[] = {
        {"FAIL", "Dialup failed"},
        {"FAIL:", "Dialup failed"},
        {"FAIL No dial tone", "Dialup failed - No dial tone"},
        {"FAIL-x", "Dialup failed - x"},
        {"FAILURE", "Dialup failed - RE"},
    };
    for (const auto& k : cases) {
        ScriptedPlatform p;
        p.answers = {"Dialing", k.answer};
        DialCounters c;
        EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Failed) << k.answer;
        // The dial is abandoned and not retried.
        EXPECT_EQ(p.seen, (Lines{"find", "status Dialing ISP (1 of 4)", "dial ISP", "cancel ISP", "reset", "find",
                                 std::string("status ") + k.line}))
            << k.answer;
    }
}

TEST(Dial, TimeOutAfterTheGivenPolls) {
    ScriptedPlatform p;
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Failed);
    // 120 one-second polls, then one more second after the cancel.
    EXPECT_EQ(p.sleeps, 121);
    EXPECT_EQ(c.seconds, 120);
    Lines tail(p.seen.end() - 5, p.seen.end());
    EXPECT_EQ(tail, (Lines{"cancel ISP", "reset", "find", "status Connection timed out", "hangup ISP"}));
}

TEST(Dial, AlwaysBusyRedialsUntilTheRetriesAreUsed) {
    ScriptedPlatform p;
    p.idleText = "BUSY";
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 2), c), DialOutcome::Failed);
    Lines expected{"status Dialing ISP (1 of 4)"};
    for (int attempt = 2; attempt <= 4; ++attempt) {
        expected.insert(expected.end(), {"status Line is busy", "window Waiting to redial ISP 2 seconds",
                                         "window Waiting to redial ISP 1 seconds",
                                         "status Dialing ISP (" + std::to_string(attempt) + " of 4)"});
    }
    expected.insert(expected.end(), {"status Line is busy", "status Line is busy (no more retries)"});
    EXPECT_EQ(p.statuses(), expected);
    EXPECT_EQ(c.attempt, 3);
    // Each busy dial is cancelled, reset and hung up before the next.
    Lines firstBusy(p.seen.begin() + 3, p.seen.begin() + 8);
    EXPECT_EQ(firstBusy, (Lines{"cancel ISP", "reset", "find", "status Line is busy", "hangup ISP"}));
}

TEST(Dial, BusyThenConnected) {
    ScriptedPlatform p;
    p.answers = {"BUSY", "Dialing", "OK"};
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 1), c), DialOutcome::Online);
    EXPECT_EQ(p.statuses(), (Lines{"status Dialing ISP (1 of 4)", "status Line is busy",
                                   "window Waiting to redial ISP 1 seconds", "status Dialing ISP (2 of 4)",
                                   "status Connected to ISP"}));
}

TEST(Dial, AbortWhilePollingHangsUpWithoutCancel) {
    ScriptedPlatform p;
    p.abortAfterSleeps = 3;
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Failed);
    EXPECT_EQ(p.sleeps, 3);
    EXPECT_EQ(p.seen.back(), "hangup ISP");
    EXPECT_EQ(p.statuses(), (Lines{"status Dialing ISP (1 of 4)"}));
}

TEST(Dial, AbortWhileWaitingToRedial) {
    ScriptedPlatform p;
    p.answers = {"BUSY"};
    p.abortAfterSleeps = 4;  // one poll, the abandon's second, two seconds of the wait
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 10), c), DialOutcome::Failed);
    EXPECT_EQ(p.seen.back(), "hangup ISP");
    EXPECT_EQ(p.statuses().back(), "window Waiting to redial ISP 9 seconds");
}

TEST(Dial, QuitMessageEndsTheDial) {
    ScriptedPlatform p;
    p.quitAfterSleeps = 2;
    DialCounters c;
    EXPECT_EQ(runDial(p, settings(120, 3, 15), c), DialOutcome::Quit);
    EXPECT_EQ(p.seen.back(), "dial ISP") << "nothing is sent after the quit";

    ScriptedPlatform waiting;
    waiting.answers = {"BUSY"};
    waiting.quitAfterSleeps = 3;
    EXPECT_EQ(runDial(waiting, settings(120, 3, 5), c), DialOutcome::Quit);
    EXPECT_EQ(waiting.statuses().back(), "window Waiting to redial ISP 5 seconds");
}

TEST(Dial, StatusTexts) {
    EXPECT_EQ(disconnectingLine("ISP"), "Disconnecting ISP ");
    EXPECT_EQ(decimalValue("120"), 120);
    EXPECT_EQ(decimalValue(" 7 seconds"), 7);
    EXPECT_EQ(decimalValue("none"), 0);
    EXPECT_EQ(decimalValue("99999999999"), 2147483647);
}
