// Process-wide state of the connectivity subsystem. The library is called
// from one thread at a time, so nothing here is guarded.
#pragma once

#include <windows.h>

#include "connect/dial_session.h"

namespace util {

struct ConnectState {
    bool dialInProgress = false;  // set while GetOnLine runs
    DialCounters counters{};
    HWND handler = nullptr;       // the dial-up handler's window, last found
    int minuteCounter = 0;        // schedule ticks since the last connection
};

// Constant-initialised: safe to touch under the loader lock.
ConnectState& connectState();

}  // namespace util
