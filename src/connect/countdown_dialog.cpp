// ConnectOnStartUp: the "Abort Connection" dialog that counts ten seconds
// down before the server connects at start-up.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "frame/dialog_util.h"
#include "frame/export_guard.h"
#include "frame/frame_state.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "resources/resource_ids.h"
#include "utilities.h"

namespace util {
namespace {

constexpr int kCountdownStart = 10;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMilliseconds = 1000;

struct Countdown {
    int remaining;
    bool animationOpened;
};

void stopCountdown(HWND dialog) {
    SendDlgItemMessageA(dialog, IDC_COUNTDOWN_ANIMATION, ACM_STOP, 0, 0);
    KillTimer(dialog, kTickTimer);
}

// Opens count.avi from the install folder and plays all its frames over
// and over; a missing file leaves the control empty.
void startAnimation(HWND dialog) {
    std::string file = installFile("\\count.avi");
    HWND animation = GetDlgItem(dialog, IDC_COUNTDOWN_ANIMATION);
    if (SendMessageA(animation, ACM_OPENA, 0, reinterpret_cast<LPARAM>(file.c_str())))
        SendMessageA(animation, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
}

INT_PTR CALLBACK countdownProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* countdown = reinterpret_cast<Countdown*>(GetWindowLongPtrA(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        countdown = reinterpret_cast<Countdown*>(lParam);
        HICON icon = LoadIconA(frameState().module, MAKEINTRESOURCEA(IDI_CONNECT));
        SendMessageA(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        centreOnScreen(dialog);
        countdown->remaining = kCountdownStart;
        SetTimer(dialog, kTickTimer, kTickMilliseconds, nullptr);
        SetFocus(GetDlgItem(dialog, IDCANCEL));
        return FALSE;  // the focus is set
    }
    case WM_SHOWWINDOW:
        if (wParam && countdown && !countdown->animationOpened) {
            countdown->animationOpened = true;
            startAnimation(dialog);
        }
        return FALSE;
    case WM_TIMER:
        if (wParam == kTickTimer && countdown && --countdown->remaining <= 0) {
            stopCountdown(dialog);
            EndDialog(dialog, 1);
        }
        return TRUE;
    case WM_COMMAND:
        // "Abort" (also Escape and the close box).
        if (LOWORD(wParam) == IDCANCEL) {
            stopCountdown(dialog);
            EndDialog(dialog, 0);
            return TRUE;
        }
        return FALSE;
    default:
        return FALSE;
    }
}

int connectOnStartUp(HWND parent) {
    if (read(cfg::kConnectionType) == cfg::kInternalMailOnly) return 0;
    if (read(cfg::kConnectOnStartup) == 0) return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);
    Countdown countdown{kCountdownStart, false};
    INT_PTR result = DialogBoxParamA(frameState().module, MAKEINTRESOURCEA(IDD_CONNECT_COUNTDOWN), parent,
                                     countdownProc, reinterpret_cast<LPARAM>(&countdown));
    return result == 1 ? 1 : 0;
}

}  // namespace
}  // namespace util

extern "C" int UTILAPI ConnectOnStartUp(HWND parent) {
    return util::guarded(0, [&] { return util::connectOnStartUp(parent); });
}
