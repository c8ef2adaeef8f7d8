// The "Dialup" page's behaviour: the list of the machine's dial-up
// connections, filled when dial-up is chosen; Apply's checks, each key
// written as soon as its entry passes; and the service buttons. How the
// page loads, reports changes and enables its details is its definition.
#include <memory>
#include <string>

#include "admin/dialup_ids.h"
#include "admin/entry_rules.h"
#include "admin/service_setup.h"
#include "admin/settings_page.h"
#include "connect/dialup_list.h"
#include "frame/profile.h"

namespace admin {
namespace {

constexpr ui::Tip kDialupTips[] = {
    {IDC_DIAL_DIALUP, "Use dialup networking to connect"},
    {IDC_DIAL_LAN, "Connect via router or permanent connection"},
    {IDC_DIAL_INTERNAL, "Use for internal email"},
    {IDC_DIAL_CONNECTION, "The dialup connection to use"},
    {IDC_DIAL_RETRIES, "Retry count"},
    {IDC_DIAL_DELAY, "Delay between dial attempts"},
    {IDC_DIAL_WAIT, "Time to wait for connection to be made"},
    {IDC_DIAL_INSTALL_SERVICE, "Run mail server as a NT or Win2k service"},
    {IDC_DIAL_UNINSTALL_SERVICE, "Remove mail server as a NT or Win2k service"},
};
constexpr ui::RadioChoice kDialupTypes[] = {{IDC_DIAL_DIALUP, 0}, {IDC_DIAL_LAN, 1}, {IDC_DIAL_INTERNAL, 2}};
constexpr ui::Binding kDialupBindings[] = {
    ui::radio(cfg::kConnectionType, kDialupTypes),
    ui::text(IDC_DIAL_WAIT, cfg::kDialTimeout),
    ui::text(IDC_DIAL_RETRIES, cfg::kDialRetries),
    ui::number(IDC_DIAL_DELAY, cfg::offering(cfg::kRedialDelay, cfg::kRedialDelayOffered), 5, 90, IDC_DIAL_DELAY_SPIN),
};
constexpr int kDialupDetails[] = {
    IDC_DIAL_CONNECTION, IDC_DIAL_WAIT, IDC_DIAL_RETRIES, IDC_DIAL_DELAY, IDC_DIAL_DELAY_SPIN, IDC_DIAL_LBL_CONNECTION,
    IDC_DIAL_LBL_WAIT, IDC_DIAL_LBL_SECS, IDC_DIAL_LBL_REDIAL, IDC_DIAL_LBL_TIMES, IDC_DIAL_LBL_SECONDS};
constexpr ui::EnableRule kDialupRules[] = {{IDC_DIAL_DIALUP, kDialupDetails}};

// The entries Apply checks and writes in this order when dial-up is chosen.
struct DialEntry {
    int control;
    cfg::TextKey key;
    bool (*accepts)(const std::string& text);
    const char* message;
};
constexpr DialEntry kDialEntries[] = {
    {IDC_DIAL_CONNECTION, cfg::kDialupEntry, isFilled, "Please enter a dial up connection..."},
    {IDC_DIAL_RETRIES, cfg::kDialRetries, isPositiveDecimal,
     "Please enter the number of dialup attempts to be made..."},
    {IDC_DIAL_WAIT, cfg::kDialTimeout, isNonZeroDecimal,
     "Please enter the number of seconds to wait for\r\nthe dial up connection to be established..."},
    {IDC_DIAL_DELAY, cfg::kRedialDelay, isFilled, "Please enter the delay between retry attempts..."},
};

constexpr int kTypeButtons[] = {IDC_DIAL_DIALUP, IDC_DIAL_LAN, IDC_DIAL_INTERNAL};  // type 0, 1, 2

class DialupPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        if (button(IDC_DIAL_DIALUP).checked()) fillConnections();
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (id == IDC_DIAL_CONNECTION && code == CBN_SELCHANGE) changed();
        if (code != BN_CLICKED) return;
        if (id == IDC_DIAL_DIALUP && comboBox(IDC_DIAL_CONNECTION).count() == 0) fillConnections();
        if (id == IDC_DIAL_INSTALL_SERVICE) requestService(hwnd_, ServiceRequest::Install);
        if (id == IDC_DIAL_UNINSTALL_SERVICE) requestService(hwnd_, ServiceRequest::Uninstall);
    }

    // The type first; with dial-up, each entry in turn, a refused one
    // stopping Apply with the entries before it already written.
    bool onApply() override {
        int type = 0;
        while (type < 3 && !button(kTypeButtons[type]).checked()) ++type;
        if (type == 3) return true;
        util::write(cfg::kConnectionType, type);
        if (type != 0) return true;
        for (const DialEntry& entry : kDialEntries) {
            std::string value = item(entry.control).text();
            if (!entry.accepts(value)) {
                refuse(ui::Refusal{entry.message, entry.control, false, MB_ICONEXCLAMATION, "Warning"});
                return false;
            }
            util::write(entry.key, value);
        }
        return true;
    }

private:
    void fillConnections() const {
        ui::ComboBox list = comboBox(IDC_DIAL_CONNECTION);
        util::listDialUpConnections(list.handle());
        int index = list.findExact(util::read(cfg::kDialupEntry));
        list.select(index == CB_ERR ? 0 : index);
    }
};

}  // namespace

const PageDefinition pages::dialup{
    {.dialog = IDD_PAGE_DIALUP, .tips = kDialupTips, .bindings = kDialupBindings, .rules = kDialupRules},
    behaviour<DialupPage>};

}  // namespace admin
