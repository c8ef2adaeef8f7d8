// The setup wizard's rules apart from its windows: the relay page's checks
// and the record it stores, the interval that writes a schedule, and the
// text of "Mail Client Information". Portable.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "admin/server_checks.h"

namespace admin {

// The relay page: the Outgoing page's checks of host and port, then, with
// authentication, the login (Field::User, then Field::Password; neither
// for a relay that signs in with a provider: its account comes from the
// sign-in).
struct WizardRelay {
    std::string_view host, port;
    bool authentication = false;
    std::string_view user, password;
    bool signsIn = false;
};
std::optional<Refusal> checkWizardRelay(const WizardRelay& relay);

// The relay record of a checked entry, the login base64-encoded (the
// password field empty for a relay that signs in).
std::string wizardRelayRecord(const WizardRelay& relay);

// The minutes between connections as typed (leading digits, at most
// 1,000,000). 0 writes no schedule: "0", but also "" or "00", which stored
// would ask for a connection at every tick.
int scheduleMinutes(std::string_view typed);

// What the office's mail clients need, for "Mail Client Information".
struct ClientSettings {
    std::vector<std::string> addresses;  // the machine's, dotted
    std::string address;                 // the first user's local part
    std::string domain;
    std::string userName;
    std::string password;  // in clear
};

// The dialog's text, lines separated by "\r\n".
std::string clientInformationText(const ClientSettings& settings);

}  // namespace admin
