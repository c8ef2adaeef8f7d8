#include "monitor/tray.h"

#include <shellapi.h>

#include <array>
#include <cstdio>
#include <cstring>

#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/frame_state.h"
#include "frame/message_pump.h"
#include "resources/admin_ids.h"
#include "utilities.h"

namespace monitor {
namespace {

constexpr UINT kEntryId = 1024;
constexpr UINT kCallbackMessage = 0x0800;
constexpr UINT kAddIntervalMs = 2000;
constexpr UINT kFrameMs = 200;
// The original record, without the later fields.
constexpr DWORD kRecordSize = NOTIFYICONDATAA_V1_SIZE;
constexpr const char* kTip = "Corvane eMail Server";
// The animation runs up the frames and back down: first, ..., last, ...,
// the one after the first.
constexpr int kFrameIcons = IDI_TRAY_LAST - IDI_TRAY_FIRST + 1;
constexpr std::array<int, 2 * kFrameIcons - 2> kFrames = [] {
    std::array<int, 2 * kFrameIcons - 2> frames{};
    for (int i = 0; i < kFrameIcons; ++i) frames[static_cast<std::size_t>(i)] = IDI_TRAY_FIRST + i;
    for (int i = 1; i < kFrameIcons - 1; ++i) frames[static_cast<std::size_t>(kFrameIcons - 1 + i)] = IDI_TRAY_LAST - i;
    return frames;
}();
static_assert(kFrames[0] == IDI_TRAY_FIRST && kFrames[kFrameIcons - 1] == IDI_TRAY_LAST &&
              kFrames.back() == IDI_TRAY_FIRST + 1);

constinit TrayState state{};

NOTIFYICONDATAA entry(UINT flags) {
    NOTIFYICONDATAA data{};
    data.cbSize = kRecordSize;
    data.hWnd = state.main;
    data.uID = kEntryId;
    data.uFlags = flags;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = state.icon;
    std::strncpy(data.szTip, kTip, 63);
    return data;
}

HICON loadFrame(int resource) {
    return static_cast<HICON>(LoadImageA(util::frameState().module, MAKEINTRESOURCEA(resource), IMAGE_ICON,
                                         GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED));
}

void CALLBACK animate(HWND, UINT, UINT_PTR, DWORD) {
    state.icon = loadFrame(kFrames[state.frame]);
    state.frame = state.frame + 1 == static_cast<int>(kFrames.size()) ? 0 : state.frame + 1;
    NOTIFYICONDATAA data = entry(NIF_ICON | NIF_TIP);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void CALLBACK tryAdd(HWND, UINT, UINT_PTR, DWORD) {
    if (!state.icon) {
        util::logFileOnly("Creating tray icon");
        state.icon = loadFrame(IDI_TRAY_FIRST);
    }
    NOTIFYICONDATAA data = entry(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    BOOL added = Shell_NotifyIconA(NIM_ADD, &data);
    char line[64];
    std::snprintf(line, sizeof line, "NIM_ADD returns 0x%x", static_cast<unsigned>(added));
    util::logFileOnly(line);
    if (!added) return;
    if (state.addTimer) KillTimer(nullptr, state.addTimer);
    state.addTimer = 0;
    state.animTimer = SetTimer(nullptr, 0, kFrameMs, animate);
}

}  // namespace

const TrayState& trayState() { return state; }

}  // namespace monitor

using monitor::state;

extern "C" {

int UTILAPI CreateTray(HWND main) {
    return util::guarded(0, [&] {
        state.main = main;
        state.addTimer = SetTimer(nullptr, 0, monitor::kAddIntervalMs, monitor::tryAdd);
        return static_cast<int>(state.addTimer);
    });
}

int UTILAPI DeleteTray(HWND main) {
    return util::guarded(0, [&] {
        if (!state.icon) return 0;
        if (state.animTimer) KillTimer(nullptr, state.animTimer);
        state.animTimer = 0;
        util::dispatchWaitingMessages();
        NOTIFYICONDATAA data{};
        data.cbSize = monitor::kRecordSize;
        data.hWnd = main;
        data.uID = monitor::kEntryId;
        BOOL removed = Shell_NotifyIconA(NIM_DELETE, &data);
        util::dispatchWaitingMessages();
        return static_cast<int>(removed);
    });
}

int UTILAPI TrayCallback(HWND window, WPARAM, LPARAM event) {
    return util::guarded(0, [&] {
        switch (static_cast<UINT>(event)) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            ShowWindow(window, SW_RESTORE);
            return static_cast<int>(SetForegroundWindow(window));
        default:
            return static_cast<int>(event);
        }
    });
}

}  // extern "C"
