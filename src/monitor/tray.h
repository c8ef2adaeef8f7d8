// The animated icon in the taskbar's notification area.
#pragma once

#include <windows.h>

namespace monitor {

// The tray's process-wide state, readable by tests.
struct TrayState {
    HWND main;           // the window given to CreateTray
    UINT_PTR addTimer;   // 2-second attempts to add the icon
    UINT_PTR animTimer;  // 200 ms frames once it is added
    HICON icon;          // null until the first attempt
    int frame;           // 0 to 13
};
const TrayState& trayState();

}  // namespace monitor
