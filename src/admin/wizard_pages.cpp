// The setup wizard's five pages. Each checks its entries when the user
// leaves it with Next (Finish on the last) and writes its keys then, so a
// wizard cancelled half-way keeps what the pages before had written. With
// internal mail only, the relay and mailbox pages pass untouched.
#include <windows.h>

#include <memory>
#include <string>

#include "accounts/account_rules.h"
#include "accounts/accounts.h"
#include "admin/domain_rules.h"
#include "admin/pages.h"
#include "admin/server_checks.h"
#include "admin/setup_wizard.h"
#include "admin/sign_in_step.h"
#include "admin/wizard_connection_ids.h"
#include "admin/wizard_domain_ids.h"
#include "admin/wizard_mailbox_ids.h"
#include "admin/wizard_relay_ids.h"
#include "admin/wizard_rules.h"
#include "admin/wizard_user_ids.h"
#include "connect/dialup_list.h"
#include "content/base64_string.h"
#include "frame/crypt.h"
#include "frame/help_topics.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "transport/oauth_rules.h"
#include "transport/smtp_relay.h"
#include "transport/tls_rules.h"
#include "utilities.h"

namespace admin {
namespace {

using ui::Tip;

constexpr char kCaption[] = "Server Settings";

// ---- The rows --------------------------------------------------------------------
constexpr Tip kDomainTips[] = {{IDC_WDOM_NAME, "Name of the domain to host"}};

constexpr Tip kConnectionTips[] = {
    {IDC_WCON_DIALUP, "Connect using dialup networking"},
    {IDC_WCON_LAN, "Connect via router or permanent connection"},
    {IDC_WCON_INTERNAL, "Handle internal mail only"},
    {IDC_WCON_INTERVAL, "Number of minutes between connections"},
    {IDC_WCON_CONNECTION, "Dialup networking connection to use"},
};
constexpr int kDialUpControls[] = {IDC_WCON_CONNECTION, IDC_WCON_LBL_CONNECTION};
constexpr int kIntervalControls[] = {IDC_WCON_INTERVAL, IDC_WCON_INTERVAL_SPIN, IDC_WCON_LBL_EVERY,
                                     IDC_WCON_LBL_MINUTES};
constexpr ui::EnableRule kConnectionRules[] = {{IDC_WCON_DIALUP, kDialUpControls},
                                               {IDC_WCON_INTERNAL, kIntervalControls, true}};

constexpr Tip kRelayTips[] = {
    {IDC_WREL_HOST, "Name of SMTP server to send mail to"},
    {IDC_WREL_PORT, "Port number of SMTP server (default=25)"},
    {IDC_WREL_TLS, "Encryption: TLS from the start (port 465) or STARTTLS (port 587)"},
    {IDC_WREL_SHOW_PW, "Show or hide the password"},
    {IDC_WREL_AUTH, "SMTP server needs authentication"},
    {IDC_WREL_PASSWORD, "Password to log into smtp server"},
    {IDC_WREL_USER, "Username to log into smtp server"},
    {IDC_WREL_LOGIN, "Log in with a password, or sign in with a provider (Microsoft, Google, other)"},
    {IDC_WREL_SIGN_IN, "Sign in with the provider in the browser"},
};
constexpr int kLoginControls[] = {IDC_WREL_USER,        IDC_WREL_PASSWORD, IDC_WREL_SHOW_PW,
                                  IDC_WREL_LBL_USER,    IDC_WREL_LBL_PASSWORD, IDC_WREL_LOGIN,
                                  IDC_WREL_LBL_LOGIN,   IDC_WREL_SIGN_IN};
constexpr ui::EnableRule kRelayRules[] = {{IDC_WREL_AUTH, kLoginControls}};

constexpr Tip kMailboxTips[] = {
    {IDC_WPOP_SERVER, "Name of POP3 server to collect mail from"},
    {IDC_WPOP_PORT, "POP server port number (default=110)"},
    {IDC_WPOP_TLS, "Encryption: TLS from the start (port 995) or STARTTLS"},
    {IDC_WPOP_SHOW_PW, "Show or hide password"},
    {IDC_WPOP_REMOVE_MAIL, "Delete mail from POP3 server after collection"},
    {IDC_WPOP_USER, "POP3 login user name"},
    {IDC_WPOP_PASSWORD, "POP3 login password"},
    {IDC_WPOP_LOGIN, "Log in with the password, or sign in with a provider (Microsoft, Google, other)"},
    {IDC_WPOP_SIGN_IN, "Sign in with the provider in the browser"},
};

constexpr Tip kUserTips[] = {
    {IDC_WUSR_NAME, "Users real name..."},
    {IDC_WUSR_ADDRESS, "Users email address..."},
    {IDC_WUSR_USER, "Mail clients login user name..."},
    {IDC_WUSR_PASSWORD, "Mail clients login password..."},
    {IDC_WUSR_SHOW_PW, "Show or hide password"},
};

constexpr ui::WindowDefinition kDomainWindow{.dialog = IDD_WIZARD_DOMAIN, .tips = kDomainTips};
constexpr ui::WindowDefinition kConnectionWindow{.dialog = IDD_WIZARD_CONNECTION, .tips = kConnectionTips,
                                                 .rules = kConnectionRules};
constexpr ui::WindowDefinition kRelayWindow{.dialog = IDD_WIZARD_RELAY, .tips = kRelayTips, .rules = kRelayRules};
constexpr ui::WindowDefinition kMailboxWindow{.dialog = IDD_WIZARD_MAILBOX, .tips = kMailboxTips};
constexpr ui::WindowDefinition kUserWindow{.dialog = IDD_WIZARD_USER, .tips = kUserTips};

// Each page shows the icon and opens the help of the settings page it
// stands for; the first user's page those of the accounts.
constexpr PageRow wizardRow(const char* page, const ui::WindowDefinition& window) {
    return {kCaption, pageNamed(page).icon, pageNamed(page).help, window};
}
constinit const PageRow kWizardPages[] = {
    wizardRow("domain", kDomainWindow),
    wizardRow("dialup", kConnectionWindow),
    wizardRow("outgoing", kRelayWindow),
    wizardRow("incoming", kMailboxWindow),
    {kCaption, pageNamed("aliases").icon, help::kUsers, kUserWindow},
};

// ---- What every page does ------------------------------------------------------------
class WizardPage : public SettingsPage {
public:
    WizardPage(const PageRow& row, WizardState& state, DWORD buttons)
        : SettingsPage(row), state_(state), buttons_(buttons) {}

protected:
    void onSetActive() override {
        SetForegroundWindow(sheet());
        setWizardButtons(buttons_);
    }
    void onReset() override { state_.cancelled = true; }

    // A password edit shown in clear while its box is ticked.
    void showPassword(int box, int password) const { edit(password).mask(!button(box).checked()); }

    // Every control of the page live or not; ruled ones also by their rules.
    void offerControls(bool on) {
        offered_ = on;
        for (HWND child = GetWindow(hwnd_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (GetDlgCtrlID(child) != IDC_PAGE_ICON) EnableWindow(child, on ? TRUE : FALSE);
        refreshEnabling();
    }
    bool allows(int) const override { return offered_; }
    bool offered() const { return offered_; }

    // The login choice (Password / a provider) of a combo box.
    util::LoginKind chosenLogin(int combo) const {
        const int chosen = comboBox(combo).selection();
        return chosen > 0 && chosen < util::kLoginKindCount ? static_cast<util::LoginKind>(chosen)
                                                            : util::LoginKind::Password;
    }
    void fillLoginChoice(int combo, util::LoginKind kind) const {
        for (const char* choice : util::kLoginChoiceNames) comboBox(combo).add(choice);
        comboBox(combo).select(static_cast<int>(kind));
    }

    WizardState& state_;

private:
    DWORD buttons_;
    bool offered_ = true;
};

// A refusal of the server checks on a page's controls (server, port, user,
// password, in the checks' order of fields).
ui::Refusal onPage(const Refusal& refusal, const int (&controls)[4]) {
    return ui::Refusal{refusal.message, controls[static_cast<int>(refusal.field)], refusal.selectText};
}

void fillTlsChoice(ui::ComboBox combo, util::TlsMode mode) {
    for (const char* choice : util::kTlsChoiceNames) combo.add(choice);
    combo.select(static_cast<int>(mode));
}

// ---- Domain ------------------------------------------------------------------------
class DomainPage final : public WizardPage {
public:
    DomainPage(const PageRow& row, WizardState& state) : WizardPage(row, state, PSWIZB_NEXT) {}

protected:
    bool onOpen() override {
        item(IDC_WDOM_NAME).setText(util::read(cfg::kPrimaryDomainAsStored));
        return true;
    }

    std::optional<ui::Refusal> check() override {
        if (auto problem = checkPrimaryDomain(item(IDC_WDOM_NAME).text()))
            return ui::Refusal{*problem, IDC_WDOM_NAME, true};
        return std::nullopt;
    }

    // Single-domain mode: stored addresses keep only their local part, and
    // the Postmaster's account exists.
    int onWizardNext() override {
        util::rewriteAccountAddresses([](const std::string& address) { return std::string(util::localPart(address)); });
        util::write(cfg::kSingleDomain, 1);
        util::write(cfg::kPrimaryDomainAsStored, item(IDC_WDOM_NAME).text());
        if (util::read(cfg::kAccountName, 0).empty()) {
            util::write(cfg::kAccountName, util::kPostmasterName, 0);
            util::write(cfg::kAccountUserName, util::kPostmasterUser, 0);
            util::write(cfg::kAccountAddress, util::kPostmasterUser, 0);
        }
        util::write(cfg::kAccountEnabled, 1, 0);
        util::write(cfg::kDomainExclusive, 1);
        return 0;
    }
};

// ---- Connection ----------------------------------------------------------------------
class ConnectionPage final : public WizardPage {
public:
    ConnectionPage(const PageRow& row, WizardState& state) : WizardPage(row, state, PSWIZB_BACK | PSWIZB_NEXT) {}

protected:
    bool onOpen() override {
        upDown(IDC_WCON_INTERVAL_SPIN).setRange(0, 1440);
        item(IDC_WCON_INTERVAL).setText(std::to_string(cfg::kScheduleIntervalOffered));
        int type = util::read(cfg::kConnectionType);
        int chosen = type == cfg::kDialUpNetworking  ? IDC_WCON_DIALUP
                     : type == cfg::kInternalMailOnly ? IDC_WCON_INTERNAL
                                                      : IDC_WCON_LAN;
        button(chosen).check(true);
        choose(chosen);
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (code == BN_CLICKED && (id == IDC_WCON_DIALUP || id == IDC_WCON_LAN || id == IDC_WCON_INTERNAL)) choose(id);
    }

    std::optional<ui::Refusal> check() override {
        if (type() == cfg::kDialUpNetworking && connection().selectedText().empty())
            return ui::Refusal{"Please enter a dial up connection...", IDC_WCON_CONNECTION, false, MB_ICONEXCLAMATION,
                               "Warning"};
        return std::nullopt;
    }

    int onWizardNext() override {
        const int chosen = type();
        util::write(cfg::kConnectionType, chosen);
        if (chosen == cfg::kDialUpNetworking) util::write(cfg::kDialupEntry, connection().selectedText());
        state_.internalOnly = chosen == cfg::kInternalMailOnly;
        if (state_.internalOnly) return 0;
        if (int minutes = scheduleMinutes(item(IDC_WCON_INTERVAL).text())) {
            util::write(cfg::kScheduleInterval, minutes);
            for (const cfg::IntKey& day : cfg::kScheduleDays) util::write(day, 1);
            util::write(cfg::kScheduleFromHour, 0);
            util::write(cfg::kScheduleUntilHour, 24);
            util::write(cfg::kScheduleType, 1);
            util::write(cfg::kSchedulePriority, 0);
        }
        return 0;
    }

private:
    ui::ComboBox connection() const { return comboBox(IDC_WCON_CONNECTION); }

    int type() const {
        if (button(IDC_WCON_DIALUP).checked()) return cfg::kDialUpNetworking;
        return button(IDC_WCON_INTERNAL).checked() ? cfg::kInternalMailOnly : cfg::kLanConnection;
    }

    // The dial-up entries are listed the first time dial-up is chosen.
    void choose(int id) {
        state_.internalOnly = id == IDC_WCON_INTERNAL;
        if (id == IDC_WCON_DIALUP && connection().count() == 0) {
            util::listDialUpConnections(connection().handle());
            int stored = connection().findExact(util::read(cfg::kDialupEntry));
            if (stored >= 0) connection().select(stored);
        }
        refreshEnabling();
    }
};

// ---- The provider's relay and mailbox ------------------------------------------------
// Both pass untouched, their controls disabled, with internal mail only.
class ProviderPage : public WizardPage {
public:
    ProviderPage(const PageRow& row, WizardState& state) : WizardPage(row, state, PSWIZB_BACK | PSWIZB_NEXT) {}

protected:
    void onSetActive() override {
        WizardPage::onSetActive();
        offerControls(!state_.internalOnly);
    }
    std::optional<ui::Refusal> check() final {
        return state_.internalOnly ? std::nullopt : checkEntries();
    }
    int onWizardNext() final {
        if (!state_.internalOnly) writeEntries();
        return 0;
    }

    virtual std::optional<ui::Refusal> checkEntries() = 0;
    virtual void writeEntries() = 0;
};

class RelayPage final : public ProviderPage {
public:
    using ProviderPage::ProviderPage;

protected:
    bool onOpen() override {
        const std::string record = util::read(cfg::kOutgoingServer, 0);
        const int port = record.empty() ? util::kDefaultSmtpPort : util::parseRelayRecord(record).port;
        item(IDC_WREL_HOST).setText(record.substr(0, record.find(':')));
        item(IDC_WREL_PORT).setText(std::to_string(port));
        fillTlsChoice(comboBox(IDC_WREL_TLS),
                      util::connectionTlsMode(util::MailService::Smtp, port, util::read(cfg::kOutgoingTls, 0)));
        const util::LoginKind login = util::loginKindFromName(util::read(cfg::kOutgoingLogin, 0));
        fillLoginChoice(IDC_WREL_LOGIN, login);
        if (login != util::LoginKind::Password) {
            token_ = util::read(cfg::kOutgoingToken, 0);
            button(IDC_WREL_AUTH).check(true);
            item(IDC_WREL_USER).setText(util::decodeBase64String(util::parseRelayRecord(record).account));
        }
        edit(IDC_WREL_PASSWORD).mask(true);
        return true;
    }

    // A relay that signs in with a provider has no password.
    bool allows(int control) const override {
        if (!WizardPage::allows(control)) return false;
        const bool signsIn = chosenLogin(IDC_WREL_LOGIN) != util::LoginKind::Password;
        if (control == IDC_WREL_PASSWORD || control == IDC_WREL_SHOW_PW || control == IDC_WREL_LBL_PASSWORD)
            return !signsIn;
        if (control == IDC_WREL_SIGN_IN) return signsIn;
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (code == CBN_SELCHANGE && id == IDC_WREL_LOGIN) {
            token_.clear();  // a sign-in belongs to its provider
            refreshEnabling();
        }
        if (code == BN_CLICKED && id == IDC_WREL_SHOW_PW) showPassword(IDC_WREL_SHOW_PW, IDC_WREL_PASSWORD);
        if (code == BN_CLICKED && id == IDC_WREL_SIGN_IN) {
            std::optional<SignedIn> signedIn =
                runSignIn(hwnd_, chosenLogin(IDC_WREL_LOGIN), util::MailService::Smtp, item(IDC_WREL_USER).text());
            if (!signedIn) return;
            token_ = signedIn->storedToken;
            if (!signedIn->account.empty()) item(IDC_WREL_USER).setText(signedIn->account);
        }
    }

    std::optional<ui::Refusal> checkEntries() override {
        static constexpr int kControls[] = {IDC_WREL_HOST, IDC_WREL_PORT, IDC_WREL_USER, IDC_WREL_PASSWORD};
        Typed typed(*this);
        if (auto refusal = checkWizardRelay(typed.relay)) return onPage(*refusal, kControls);
        if (auto refusal = checkSignedIn(typed.relay.signsIn, !token_.empty()))
            return ui::Refusal{*refusal, IDC_WREL_SIGN_IN};
        if (typed.relay.signsIn && typed.user.empty()) return ui::Refusal{"Please enter the user name...", IDC_WREL_USER};
        return std::nullopt;
    }

    void writeEntries() override {
        Typed typed(*this);
        util::write(cfg::kOutgoingServer, wizardRelayRecord(typed.relay), 0);
        int port = static_cast<int>(portValue(typed.port));
        int tls = static_cast<int>(
            util::connectionTlsMode(util::MailService::Smtp, port, comboBox(IDC_WREL_TLS).selection()));
        util::write(cfg::kOutgoingTls, tls, 0);
        // A relay with a password is stored exactly as before sign-in existed.
        if (typed.relay.signsIn) {
            util::write(cfg::kOutgoingLogin, std::string(util::loginKindName(chosenLogin(IDC_WREL_LOGIN))), 0);
            util::write(cfg::kOutgoingToken, token_, 0);
        } else {
            util::erase(cfg::kOutgoingLogin, 0);
            util::erase(cfg::kOutgoingToken, 0);
        }
    }

private:
    std::string token_;  // the relay's sign-in, protected, as stored

    // The entries as typed (the relay's views point into them).
    struct Typed {
        std::string host, port, user, password;
        WizardRelay relay;
        explicit Typed(const RelayPage& page)
            : host(page.item(IDC_WREL_HOST).text()), port(page.item(IDC_WREL_PORT).text()),
              user(page.item(IDC_WREL_USER).text()), password(page.item(IDC_WREL_PASSWORD).text()),
              relay{host, port, page.button(IDC_WREL_AUTH).checked(), user, password,
                    page.button(IDC_WREL_AUTH).checked() &&
                        page.chosenLogin(IDC_WREL_LOGIN) != util::LoginKind::Password} {}
    };
};

class MailboxPage final : public ProviderPage {
public:
    using ProviderPage::ProviderPage;

protected:
    bool onOpen() override {
        const int port = util::read(cfg::kIncomingPort, 0);
        item(IDC_WPOP_SERVER).setText(util::read(cfg::kIncomingNode, 0));
        item(IDC_WPOP_PORT).setText(std::to_string(port));
        item(IDC_WPOP_USER).setText(util::read(cfg::kIncomingUser, 0));
        item(IDC_WPOP_PASSWORD).setText(util::crypt(util::kSystemKey, util::read(cfg::kIncomingPassword, 0), false));
        edit(IDC_WPOP_PASSWORD).mask(true);
        button(IDC_WPOP_REMOVE_MAIL).check(util::read(cfg::kIncomingDeleteMail, 0) != 0);
        fillTlsChoice(comboBox(IDC_WPOP_TLS),
                      util::connectionTlsMode(util::MailService::Pop3, port, util::read(cfg::kIncomingTls, 0)));
        const util::LoginKind login = util::loginKindFromName(util::read(cfg::kIncomingLogin, 0));
        fillLoginChoice(IDC_WPOP_LOGIN, login);
        if (login != util::LoginKind::Password) token_ = util::read(cfg::kIncomingToken, 0);
        return true;
    }

    void onSetActive() override {
        ProviderPage::onSetActive();
        refreshLogin();
    }

    void onUserCommand(int id, int code) override {
        if (code == CBN_SELCHANGE && id == IDC_WPOP_LOGIN) {
            token_.clear();  // a sign-in belongs to its provider
            refreshLogin();
        }
        if (code == BN_CLICKED && id == IDC_WPOP_SHOW_PW) showPassword(IDC_WPOP_SHOW_PW, IDC_WPOP_PASSWORD);
        if (code == BN_CLICKED && id == IDC_WPOP_SIGN_IN) {
            std::optional<SignedIn> signedIn =
                runSignIn(hwnd_, chosenLogin(IDC_WPOP_LOGIN), util::MailService::Pop3, text(IDC_WPOP_USER));
            if (!signedIn) return;
            token_ = signedIn->storedToken;
            if (!signedIn->account.empty()) item(IDC_WPOP_USER).setText(signedIn->account);
        }
    }

    std::optional<ui::Refusal> checkEntries() override {
        static constexpr int kControls[] = {IDC_WPOP_SERVER, IDC_WPOP_PORT, IDC_WPOP_USER, IDC_WPOP_PASSWORD};
        const bool signsIn = chosenLogin(IDC_WPOP_LOGIN) != util::LoginKind::Password;
        const std::string server = text(IDC_WPOP_SERVER), port = text(IDC_WPOP_PORT), user = text(IDC_WPOP_USER),
                          password = signsIn ? std::string() : text(IDC_WPOP_PASSWORD);
        if (auto refusal = checkPopEntry({server, port, user, password, signsIn})) return onPage(*refusal, kControls);
        if (auto refusal = checkSignedIn(signsIn, !token_.empty())) return ui::Refusal{*refusal, IDC_WPOP_SIGN_IN};
        return std::nullopt;
    }

    void writeEntries() override {
        const int port = static_cast<int>(portValue(text(IDC_WPOP_PORT)));
        util::write(cfg::kIncomingNode, text(IDC_WPOP_SERVER), 0);
        util::write(cfg::kIncomingPort, port, 0);
        util::write(cfg::kIncomingUser, text(IDC_WPOP_USER), 0);
        const util::LoginKind login = chosenLogin(IDC_WPOP_LOGIN);
        const bool signsIn = login != util::LoginKind::Password;
        util::write(cfg::kIncomingPassword,
                    signsIn ? std::string() : util::crypt(util::kSystemKey, text(IDC_WPOP_PASSWORD), true), 0);
        if (signsIn) {
            util::write(cfg::kIncomingLogin, std::string(util::loginKindName(login)), 0);
            util::write(cfg::kIncomingToken, token_, 0);
        } else {
            util::erase(cfg::kIncomingLogin, 0);
            util::erase(cfg::kIncomingToken, 0);
        }
        util::write(cfg::kIncomingDeleteMail, button(IDC_WPOP_REMOVE_MAIL).checked() ? 1 : 0, 0);
        util::write(cfg::kIncomingExtensions, 0, 0);
        int tls = static_cast<int>(
            util::connectionTlsMode(util::MailService::Pop3, port, comboBox(IDC_WPOP_TLS).selection()));
        util::write(cfg::kIncomingTls, tls, 0);
    }

private:
    std::string text(int id) const { return item(id).text(); }

    // A mailbox that signs in with a provider has no password.
    void refreshLogin() {
        const bool on = offered();
        const bool signsIn = chosenLogin(IDC_WPOP_LOGIN) != util::LoginKind::Password;
        for (int id : {IDC_WPOP_PASSWORD, IDC_WPOP_SHOW_PW, IDC_WPOP_LBL_PASSWORD}) item(id).enable(on && !signsIn);
        item(IDC_WPOP_SIGN_IN).enable(on && signsIn);
    }

    std::string token_;  // the mailbox's sign-in, protected, as stored
};

// ---- First user ----------------------------------------------------------------------
class UserPage final : public WizardPage {
public:
    UserPage(const PageRow& row, WizardState& state) : WizardPage(row, state, PSWIZB_BACK | PSWIZB_FINISH) {}

protected:
    bool onOpen() override {
        edit(IDC_WUSR_PASSWORD).mask(true);
        return true;
    }

    // The domain may have changed since the page was first shown.
    void onSetActive() override {
        WizardPage::onSetActive();
        item(IDC_WUSR_DOMAIN).setText("@" + util::read(cfg::kPrimaryDomainAsStored));
    }

    void onUserCommand(int id, int code) override {
        if (code == BN_CLICKED && id == IDC_WUSR_SHOW_PW) showPassword(IDC_WUSR_SHOW_PW, IDC_WUSR_PASSWORD);
    }

    // The address is cut at "@" in its edit on the way.
    std::optional<ui::Refusal> check() override {
        static constexpr int kControls[] = {IDC_WUSR_NAME, IDC_WUSR_ADDRESS, IDC_WUSR_USER, IDC_WUSR_PASSWORD};
        util::AccountFields fields = typed();
        std::optional<util::AccountProblem> problem = util::checkFirstUser(fields);
        if (fields.address != item(IDC_WUSR_ADDRESS).text()) item(IDC_WUSR_ADDRESS).setText(fields.address);
        if (!problem) return std::nullopt;
        return ui::Refusal{problem->message, kControls[static_cast<int>(problem->field)], true, MB_ICONSTOP,
                           problem->title};
    }

    bool onWizardFinish() override {
        const util::AccountFields f = typed();
        util::write(cfg::kAccountEnabled, 1, kFirstUser);
        util::write(cfg::kAccountName, f.name, kFirstUser);
        util::write(cfg::kAccountAddress, f.address, kFirstUser);
        util::write(cfg::kAccountUserName, f.userName, kFirstUser);
        util::write(cfg::kAccountPassword, util::crypt(util::accountKey(f.userName), f.password, true), kFirstUser);
        CreateDirectoryA(util::installFile("\\mailboxes").c_str(), nullptr);
        const std::string folder = util::mailboxFolderPath(util::installFolder(), f.userName);
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateWelcomeMsg(util::accountSection(kFirstUser).c_str(), (folder + "\\").c_str());
        return true;
    }

private:
    static constexpr int kFirstUser = 1;

    util::AccountFields typed() const {
        return {item(IDC_WUSR_NAME).text(), item(IDC_WUSR_ADDRESS).text(), item(IDC_WUSR_USER).text(),
                item(IDC_WUSR_PASSWORD).text()};
    }
};

}  // namespace

std::span<const PageRow> wizardPageTable() { return kWizardPages; }

std::vector<std::unique_ptr<SettingsPage>> makeWizardPages(WizardState& state) {
    std::vector<std::unique_ptr<SettingsPage>> pages;
    pages.push_back(std::make_unique<DomainPage>(kWizardPages[0], state));
    pages.push_back(std::make_unique<ConnectionPage>(kWizardPages[1], state));
    pages.push_back(std::make_unique<RelayPage>(kWizardPages[2], state));
    pages.push_back(std::make_unique<MailboxPage>(kWizardPages[3], state));
    pages.push_back(std::make_unique<UserPage>(kWizardPages[4], state));
    return pages;
}

}  // namespace admin
