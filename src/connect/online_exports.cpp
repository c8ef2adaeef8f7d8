// GetOnLine, GetOffline and IsOnLine: the dial-up connection through the
// handler program, and the online state.
#include <windows.h>

#include "connect/connect_state.h"
#include "connect/dial_handler.h"
#include "connect/dial_session.h"
#include "frame/export_guard.h"
#include "frame/profile.h"
#include "utilities.h"

namespace util {
namespace {

int connectionType() { return read(cfg::kConnectionType); }

DialSettings dialSettings() {
    DialSettings s;
    s.timeout = decimalValue(read(cfg::kDialTimeout));
    s.retries = decimalValue(read(cfg::kDialRetries));
    s.delay = decimalValue(read(cfg::kRedialDelay));
    return s;
}

// Clears the in-progress mark when the dial ends, unless a quit message
// ended it: then the mark stays and later dials are refused while the
// host closes down.
class InProgressMark {
public:
    InProgressMark() { connectState().dialInProgress = true; }
    ~InProgressMark() {
        if (!keep_) connectState().dialInProgress = false;
    }
    void keep() { keep_ = true; }

private:
    bool keep_ = false;
};

int getOnLine(HWND nameWindow, LPARAM handlerParam, HWND statusWindow) {
    ConnectState& state = connectState();
    if (state.dialInProgress) return 0;
    InProgressMark mark;
    state.counters.attempt = 0;
    if (connectionType() != cfg::kDialUpNetworking) return 1;

    DialSettings settings = dialSettings();
    showCursor(IDC_WAIT);
    HandlerDial platform(nameWindow, handlerParam, statusWindow);
    DialOutcome outcome = runDial(platform, settings, state.counters);
    showCursor(IDC_ARROW);
    if (outcome == DialOutcome::Quit) mark.keep();
    return outcome == DialOutcome::Online ? 1 : 0;
}

int getOffline(HWND nameWindow, LPARAM handlerParam, HWND statusWindow) {
    int type = connectionType();
    if (type != cfg::kDialUpNetworking) return type;
    showCursor(IDC_WAIT);
    HWND handler = findOrStartHandler();
    if (!handler) {
        showCursor(IDC_ARROW);
        return 0;
    }
    std::string name = rasName();
    SetWindowTextA(nameWindow, name.c_str());
    SendMessageA(handler, kHandlerHangUp, reinterpret_cast<WPARAM>(nameWindow), handlerParam);
    dialStatusLine(statusWindow, disconnectingLine(name), true);
    showCursor(IDC_ARROW);
    return 0;
}

int isOnLine() {
    if (connectionType() != cfg::kDialUpNetworking) return 0;
    HWND handler = findOrStartHandler();
    if (!handler) return 0;
    return SendMessageA(handler, kHandlerIsConnected, 0, 0) != 0 ? 1 : 0;
}

}  // namespace
}  // namespace util

using namespace util;

extern "C" {

int UTILAPI GetOnLine(HWND nameWindow, LPARAM handlerParam, HWND statusWindow) {
    return guarded(0, [&] { return getOnLine(nameWindow, handlerParam, statusWindow); });
}

int UTILAPI GetOffline(HWND nameWindow, LPARAM handlerParam, HWND statusWindow) {
    return guarded(0, [&] { return getOffline(nameWindow, handlerParam, statusWindow); });
}

int UTILAPI IsOnLine(void) {
    return guarded(0, [] { return isOnLine(); });
}

}  // extern "C"
