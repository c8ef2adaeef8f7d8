// Signing in with a provider, once, for a record: the authorization code
// with a proof key (RFC 7636) through the system's browser and a loopback
// redirect (RFC 8252), or, for a machine without a browser, a code the
// administrator enters on another device (RFC 8628). The refresh token it
// gives is protected for the machine, for the page to store beside the record.
#pragma once

#include <functional>
#include <string>

#include "transport/oauth_rules.h"

namespace util {

// How long the browser's redirect is waited for.
inline constexpr unsigned kSignInWaitMs = 5u * 60u * 1000u;

struct SignInRequest {
    LoginKind kind = LoginKind::Password;
    MailService service = MailService::Pop3;
    std::string loginHint;  // the account as typed, "" when none
};

// What the window does meanwhile.
struct SignInHooks {
    // Shows the code and the address for the device sign-in; false when the
    // administrator cancelled.
    std::function<bool(const DeviceAnswer&)> showDeviceCode;
    // Called while waiting (keeps the windows alive); false cancels.
    std::function<bool()> keepWaiting;
};

struct SignInResult {
    bool signedIn = false;
    std::string storedToken;  // the refresh token protected for the machine, for token%d
    std::string account;      // the address the provider signed in, "" when it did not say
    std::string failure;      // why not, for the administrator (also shown as status text)
};

SignInResult signIn(const SignInRequest& request, const SignInHooks& hooks);

}  // namespace util
