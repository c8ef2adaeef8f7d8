#include "admin/sign_in_step.h"

#include "frame/message_pump.h"
#include "transport/oauth_sign_in.h"
#include "ui/message_box.h"

namespace admin {
namespace {

// The sheet (the page's owner) takes no input while the browser is out,
// but it still paints; a quit message ends the wait.
class HeldStill {
public:
    explicit HeldStill(HWND window) : window_(window), wasEnabled_(IsWindowEnabled(window) != FALSE) {
        EnableWindow(window_, FALSE);
    }
    ~HeldStill() {
        if (wasEnabled_) EnableWindow(window_, TRUE);
    }
    HeldStill(const HeldStill&) = delete;
    HeldStill& operator=(const HeldStill&) = delete;

private:
    HWND window_;
    bool wasEnabled_;
};

}  // namespace

std::optional<SignedIn> runSignIn(HWND owner, util::LoginKind kind, util::MailService service,
                                  const std::string& loginHint) {
    HWND sheet = GetAncestor(owner, GA_ROOT);
    const std::string provider = util::loginKindTitle(kind);
    util::SignInResult result;
    {
        HeldStill still(sheet ? sheet : owner);
        util::SignInHooks hooks;
        hooks.keepWaiting = [] { return !util::dispatchWaitingMessages(); };
        hooks.showDeviceCode = [&](const util::DeviceAnswer& device) {
            const std::string text = "To sign in with " + provider + ", open " + device.verificationAddress +
                                     " on any computer or phone and enter the code " + device.userCode +
                                     ".\r\n\r\nPress OK once you have signed in there.";
            return ui::messageBox(owner, text, kSignInTitle, MB_OKCANCEL | MB_ICONINFORMATION) == IDOK;
        };
        result = util::signIn({kind, service, loginHint}, hooks);
    }
    if (!result.signedIn) {
        ui::messageBox(owner, result.failure, kSignInTitle, MB_OK | MB_ICONEXCLAMATION);
        return std::nullopt;
    }
    const std::string told = "Signed in with " + provider + (result.account.empty() ? "." : " as " + result.account + ".");
    ui::messageBox(owner, told, kSignInTitle, MB_OK | MB_ICONINFORMATION);
    return SignedIn{result.storedToken, result.account};
}

}  // namespace admin
