#include "connect/dial_session.h"

#include <climits>
#include <cstdlib>
#include <string_view>

namespace util {
namespace {

// The status words the handler writes into the name window.
constexpr std::string_view kConnected = "OK";
constexpr std::string_view kBusy = "BUSY";
constexpr std::string_view kFailed = "FAIL";
// "FAIL", one separator character, then the reason.
constexpr std::size_t kReasonAt = 5;

bool startsWith(const std::string& text, std::string_view prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

class Dial {
public:
    Dial(DialPlatform& p, const DialSettings& s, DialCounters& c) : p_(p), s_(s), c_(c) {}

    DialOutcome run() {
        c_.attempt = 0;
        if (!p_.findHandler()) {
            p_.statusLine("Error cannot load rashand.exe", true);
            return DialOutcome::Failed;
        }
        if (p_.connectionUp()) {
            p_.statusLine("Using existing connection", true);
            p_.reportConnected(false);
            return DialOutcome::Online;
        }
        for (;;) {
            name_ = p_.connectionName();
            p_.statusLine(dialingLine(name_, c_.attempt, s_.retries), true);
            if (!p_.startDial(name_)) return DialOutcome::Failed;

            Answer answer = waitForAnswer();
            if (answer == Answer::Connected) return DialOutcome::Online;
            if (answer == Answer::Quit) return DialOutcome::Quit;
            if (answer == Answer::Failed) return DialOutcome::Failed;

            // A busy line: redial after the delay while retries are left.
            abandon();
            p_.statusLine("Line is busy", true);
            p_.hangUp(name_);
            if (c_.attempt >= s_.retries) {
                p_.statusLine("Line is busy (no more retries)", true);
                return DialOutcome::Failed;
            }
            for (int s = 0; s < s_.delay; ++s) {
                if (p_.abortRequested()) {
                    p_.hangUp(name_);
                    return DialOutcome::Failed;
                }
                p_.sleepOneSecond();
                p_.statusLine(redialWaitLine(name_, s_.delay - s), false);
                if (!p_.pumpMessages()) return DialOutcome::Quit;
            }
            ++c_.attempt;
        }
    }

private:
    enum class Answer { Connected, Busy, Failed, Quit };

    // Polls the name window once a second until the handler answers.
    Answer waitForAnswer() {
        for (c_.seconds = 0;; ++c_.seconds) {
            if (c_.seconds >= s_.timeout) {
                abandon();
                p_.statusLine("Connection timed out", true);
                p_.hangUp(name_);
                return Answer::Failed;
            }
            if (p_.abortRequested()) {
                p_.hangUp(name_);
                return Answer::Failed;
            }
            p_.sleepOneSecond();
            if (!p_.pumpMessages()) return Answer::Quit;

            std::string text = p_.nameWindowText();
            if (text == kConnected) {
                p_.statusLine(connectedLine(name_), true);
                p_.reportConnected(true);
                return Answer::Connected;
            }
            if (startsWith(text, kFailed)) {
                abandon();
                p_.statusLine(failedLine(text), true);
                return Answer::Failed;
            }
            if (startsWith(text, kBusy)) return Answer::Busy;
        }
    }

    // Cancels the dial, lets the handler reset, and finds it again (it is
    // started afresh if it has gone).
    void abandon() {
        p_.cancelDial(name_);
        p_.resetHandler();
        p_.sleepOneSecond();
        p_.findHandler();
    }

    DialPlatform& p_;
    const DialSettings& s_;
    DialCounters& c_;
    std::string name_;
};

}  // namespace

DialOutcome runDial(DialPlatform& platform, const DialSettings& settings, DialCounters& counters) {
    return Dial(platform, settings, counters).run();
}

std::string dialingLine(const std::string& name, int attempt, int retries) {
    return "Dialing " + name + " (" + std::to_string(attempt + 1) + " of " + std::to_string(retries + 1) + ")";
}

std::string failedLine(const std::string& handlerText) {
    if (handlerText.size() <= kReasonAt) return "Dialup failed";
    return "Dialup failed - " + handlerText.substr(kReasonAt);
}

std::string redialWaitLine(const std::string& name, int secondsLeft) {
    return "Waiting to redial " + name + " " + std::to_string(secondsLeft) + " seconds";
}

std::string connectedLine(const std::string& name) { return "Connected to " + name; }

std::string disconnectingLine(const std::string& name) { return "Disconnecting " + name + " "; }

int decimalValue(const std::string& text) {
    long long value = std::strtoll(text.c_str(), nullptr, 10);
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

}  // namespace util
