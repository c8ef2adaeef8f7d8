#include "admin/wizard_rules.h"

#include <iterator>

#include "admin/relay_record.h"
#include "content/base64_string.h"

namespace admin {

std::optional<Refusal> checkWizardRelay(const WizardRelay& r) {
    if (auto refusal = checkRelayEntry({r.host, r.port, false, {}, false, true})) return refusal;
    // A relay that signs in takes its account from the sign-in.
    if (!r.authentication || r.signsIn) return std::nullopt;
    if (r.user.empty()) return Refusal{"Please enter the user name...", Field::User, false};
    if (r.password.empty()) return Refusal{"Please enter the password...", Field::Password, false};
    return std::nullopt;
}

std::string wizardRelayRecord(const WizardRelay& r) {
    Relay relay;
    relay.host = std::string(r.host);
    relay.port = static_cast<int>(portValue(r.port));
    relay.authentication = r.authentication;
    if (r.authentication) {
        relay.account64 = util::encodeBase64String(r.user);
        if (!r.signsIn) relay.password64 = util::encodeBase64String(r.password);
    }
    return buildRelayRecord(relay);
}

int scheduleMinutes(std::string_view typed) {
    constexpr long long kMost = 1000000;
    long long minutes = portValue(typed);
    return static_cast<int>(minutes < kMost ? minutes : kMost);
}

std::string clientInformationText(const ClientSettings& s) {
    std::string addresses;
    for (const std::string& address : s.addresses) addresses += address + " ";
    const std::string lines[] = {
        " Mail Client Settings",
        "",
        " You now need to configure your email client (MS Outlook etc) to use this mail",
        " server. For your convenience the data you need is listed below. You might",
        " want to print this out and keep it in a safe place. If more than one ip",
        " address is shown below use the one that corresponds to your local network.",
        "",
        " Email address: " + s.address + "@" + s.domain,
        " Outgoing mail (SMTP): " + addresses,
        " Incomming mail (POP3): " + addresses,
        " Account name (Pop3 user name): " + s.userName,
        " Password (Pop3 password): " + s.password,
    };
    std::string text = lines[0];
    for (std::size_t i = 1; i < std::size(lines); ++i) text += "\r\n" + lines[i];
    return text;
}

}  // namespace admin
