// One dial of the dial-up connection, from the handler look-up to the
// answer: redials after a busy line, the time-out, the abort switch and
// the status lines. The platform side (the handler's window messages, the
// name window, sleeping and message pumping) is supplied by the caller,
// so the rules run the same against the real handler and in tests.
#pragma once

#include <string>

namespace util {

// The `dialup` values a dial uses (decimal text in ms.ini).
struct DialSettings {
    int timeout = 120;  // seconds to wait for an answer
    int retries = 3;    // redials after a busy line
    int delay = 15;     // seconds before a redial
};

class DialPlatform {
public:
    virtual ~DialPlatform() = default;
    // Finds the handler's window or starts the handler; false: none.
    virtual bool findHandler() = 0;
    // WM_USER + 3: is a dial-up connection up?
    virtual bool connectionUp() = 0;
    // WM_USER + 1: how the connection came about (true: a dial of ours).
    virtual void reportConnected(bool ourDial) = 0;
    // The name window's text set to the name, then WM_USER + 7; true when
    // the handler accepted the request.
    virtual bool startDial(const std::string& name) = 0;
    // The name window's text set to the name, then WM_USER + 4.
    virtual void hangUp(const std::string& name) = 0;
    // The name window's text set to the name, then WM_USER + 9.
    virtual void cancelDial(const std::string& name) = 0;
    // WM_USER + 6, sent after a dial was abandoned.
    virtual void resetHandler() = 0;
    // The `ras` value, read afresh.
    virtual std::string connectionName() = 0;
    // The handler's status word as it stands in the name window.
    virtual std::string nameWindowText() = 0;
    virtual bool abortRequested() = 0;
    virtual void sleepOneSecond() = 0;
    // Dispatches the waiting window messages; false when a quit message
    // was met (it is posted again for the caller's own loop).
    virtual bool pumpMessages() = 0;
    // A status line for the status window, and for the event log when
    // `logged` is set.
    virtual void statusLine(const std::string& text, bool logged) = 0;
};

enum class DialOutcome {
    Online,   // an existing connection, or our dial connected
    Failed,   // any failure: no handler, refused, time-out, busy, abort
    Quit,     // a quit message arrived while waiting
};

// Counters of the dial in progress, kept by the caller for the process.
struct DialCounters {
    int attempt = 0;  // from 0
    int seconds = 0;  // seconds waited in the current attempt
};

DialOutcome runDial(DialPlatform& platform, const DialSettings& settings, DialCounters& counters);

// The status lines of a dial.
std::string dialingLine(const std::string& name, int attempt, int retries);
std::string failedLine(const std::string& handlerText);
std::string redialWaitLine(const std::string& name, int secondsLeft);
std::string connectedLine(const std::string& name);
std::string disconnectingLine(const std::string& name);

// Reads a decimal text as the C library's atoi does (0 when it is none).
int decimalValue(const std::string& text);

}  // namespace util
