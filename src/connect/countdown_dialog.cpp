// ConnectOnStartUp: the "Abort Connection" dialog that counts ten seconds
// down before the server connects at start-up.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "connect/countdown_ids.h"
#include "frame/export_guard.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "ui/modal.h"
#include "utilities.h"

namespace util {
namespace {

constexpr int kCountdownStart = 10;
constexpr UINT_PTR kTickTimer = 1;
constexpr UINT kTickMilliseconds = 1000;

const ui::WindowDefinition kCountdownDialog{IDD_CONNECT_COUNTDOWN};

class Countdown final : public ui::ModalDialog {
public:
    Countdown() : ModalDialog(kCountdownDialog) {}

protected:
    bool wantsTips() const override { return false; }

    bool onOpen() override {
        HICON icon = LoadIconA(ui::moduleInstance(), MAKEINTRESOURCEA(IDI_CONNECT));
        SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        remaining_ = kCountdownStart;
        SetTimer(hwnd_, kTickTimer, kTickMilliseconds, nullptr);
        item(IDCANCEL).focus();
        return false;
    }

    // "Abort" (also Escape and the close box); there is no OK.
    void onCancel() override { finish(0); }
    void onOk() override {}

    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
        handled = false;
        if (message == WM_SHOWWINDOW && wParam && !animationOpened_) {
            animationOpened_ = true;
            startAnimation();
        } else if (message == WM_TIMER && wParam == kTickTimer) {
            handled = true;
            if (--remaining_ <= 0) finish(1);
            return TRUE;
        }
        return 0;
    }

private:
    // Opens count.avi from the install folder and plays all its frames over
    // and over; a missing file leaves the control empty.
    void startAnimation() const {
        std::string file = installFile("\\count.avi");
        ui::Window animation = item(IDC_COUNTDOWN_ANIMATION);
        if (animation.send(ACM_OPENA, 0, reinterpret_cast<LPARAM>(file.c_str())))
            animation.send(ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
    }

    void finish(INT_PTR result) {
        item(IDC_COUNTDOWN_ANIMATION).send(ACM_STOP);
        KillTimer(hwnd_, kTickTimer);
        close(result);
    }

    int remaining_ = kCountdownStart;
    bool animationOpened_ = false;
};

int connectOnStartUp(HWND parent) {
    if (read(cfg::kConnectionType) == cfg::kInternalMailOnly) return 0;
    if (read(cfg::kConnectOnStartup) == 0) return 0;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_ANIMATE_CLASS};
    InitCommonControlsEx(&controls);
    Countdown countdown;
    return countdown.run(parent) == 1 ? 1 : 0;
}

}  // namespace
}  // namespace util

extern "C" int UTILAPI ConnectOnStartUp(HWND parent) {
    return util::guarded(0, [&] { return util::connectOnStartUp(parent); });
}
