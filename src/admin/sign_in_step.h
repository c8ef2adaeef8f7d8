// The "Sign in..." button of the Incoming and Outgoing pages and of the
// setup wizard's relay and mailbox pages: the provider's sign-in run for
// the record being entered (transport/oauth_sign_in.h), the sheet held
// still meanwhile, the code shown when the sign-in takes one, and the
// outcome told: the account signed in, or why not.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "transport/oauth_rules.h"

namespace admin {

struct SignedIn {
    std::string storedToken;  // for token%d beside the record
    std::string account;      // the address signed in (the provider's, else the hint)
};

// Runs the sign-in from a page (owner); nothing when it failed or was
// cancelled (the administrator has been told).
std::optional<SignedIn> runSignIn(HWND owner, util::LoginKind kind, util::MailService service,
                                  const std::string& loginHint);

// The message box titles, for the windows' tests.
inline constexpr const char* kSignInTitle = "Sign in";

}  // namespace admin
