// The "Outgoing" page's behaviour: the provider SMTP relays in the order
// they are tried (section outgoing), kept in the record editor as their
// stored records and rewritten whole at Apply; a saved relay goes to the
// top of the list. The options for all outgoing mail are bindings of the
// page's definition; their "Applies To" users are written by their own dialog.
#include <memory>
#include <string>
#include <vector>

#include "admin/outgoing_dialogs.h"
#include "admin/outgoing_ids.h"
#include "admin/relay_record.h"
#include "admin/server_checks.h"
#include "admin/settings_page.h"
#include "admin/sign_in_step.h"
#include "content/base64_string.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "transport/oauth_rules.h"
#include "transport/smtp_relay.h"
#include "transport/tls_rules.h"
#include "ui/gdi.h"
#include "ui/record_editor.h"

namespace admin {
namespace {

constexpr ui::Tip kOutgoingTips[] = {
    {IDC_OUT_HOST, "Name of SMTP server"},
    {IDC_OUT_PORT, "Port number of SMTP server (default=25)"},
    {IDC_OUT_LIST, "Outgoing mail SMTP servers"},
    {IDC_OUT_ADD, "An a new SMTP server"},
    {IDC_OUT_DELETE, "Remove an SMTP server"},
    {IDC_OUT_SENDER, "The address to use in SMTP envelope"},
    {IDC_OUT_UP, "Change order servers are connected to"},
    {IDC_OUT_DOWN, "Change order servers are connected to"},
    {IDC_OUT_SAVE, "Save new server"},
    {IDC_OUT_CANCEL, "Cancel operation"},
    {IDC_OUT_SIZE_KB, "Size limit in kilo bytes"},
    {IDC_OUT_USE_NEXT, "Use next server if message refused"},
    {IDC_OUT_CHANGE_FROM, "Replace the senders address"},
    {IDC_OUT_INSIDE, "Replace the From: address in message"},
    {IDC_OUT_REDIR, "Re-route outgoing mail to a local user"},
    {IDC_OUT_SIZE, "Restrict size of outgoing messages"},
    {IDC_OUT_COPY, "Give local user a copy of each message sent"},
    {IDC_OUT_COPY_USER, "List of local users"},
    {IDC_OUT_REDIR_USER, "List of local users"},
    {IDC_OUT_AUTH, "Login to smtp server required"},
    {IDC_OUT_AUTH_SET, "Set account name and password..."},
    {IDC_OUT_TLS, "Encryption: TLS from the start (port 465) or STARTTLS (port 587)"},
    {IDC_OUT_LOGIN, "Log in with a password, or sign in with a provider (Microsoft, Google, other)"},
    {IDC_OUT_SIGN_IN, "Sign in with the provider in the browser"},
};
constexpr ui::Binding kOutgoingBindings[] = {
    ui::check(IDC_OUT_USE_NEXT, cfg::kOutgoingUseNext),
    ui::check(IDC_OUT_COPY, cfg::kOptOutCopy),
    ui::comboText(IDC_OUT_COPY_USER, cfg::kOptOutCopyUser, accountNames, true),
    ui::check(IDC_OUT_REDIR, cfg::kOptOutRedirect),
    ui::comboText(IDC_OUT_REDIR_USER, cfg::kOptOutRedirectUser, accountNames, true),
    ui::check(IDC_OUT_SIZE, cfg::kOptOutSize),
    ui::text(IDC_OUT_SIZE_KB, cfg::kOptOutSizeKb),
};
constexpr int kOutCopyControls[] = {IDC_OUT_COPY_USER, IDC_OUT_COPY_USERS};
constexpr int kOutRedirectControls[] = {IDC_OUT_REDIR_USER, IDC_OUT_REDIR_USERS};
constexpr int kOutSizeControls[] = {IDC_OUT_SIZE_KB, IDC_OUT_SIZE_SPIN, IDC_OUT_KBYTES, IDC_OUT_SIZE_USERS};
constexpr int kOutSenderControls[] = {IDC_OUT_SENDER, IDC_OUT_SENDER_LBL, IDC_OUT_INSIDE};
constexpr int kOutAuthControls[] = {IDC_OUT_AUTH_SET};
constexpr ui::EnableRule kOutgoingRules[] = {
    {IDC_OUT_COPY, kOutCopyControls},
    {IDC_OUT_REDIR, kOutRedirectControls},
    {IDC_OUT_SIZE, kOutSizeControls},
    {IDC_OUT_CHANGE_FROM, kOutSenderControls},
    {IDC_OUT_AUTH, kOutAuthControls},
};

constexpr int kMaxRelays = 32000;

constexpr int kBrowsing[] = {IDC_OUT_USE_NEXT};
constexpr int kEditing[] = {IDC_OUT_HOST,       IDC_OUT_PORT,       IDC_OUT_PORT_SPIN, IDC_OUT_AUTH,
                            IDC_OUT_CHANGE_FROM, IDC_OUT_LBL_HOST,  IDC_OUT_LBL_PORT,  IDC_OUT_SENDER,
                            IDC_OUT_SENDER_LBL, IDC_OUT_INSIDE,     IDC_OUT_AUTH_SET,  IDC_OUT_TLS,
                            IDC_OUT_LBL_TLS,    IDC_OUT_LOGIN,      IDC_OUT_LBL_LOGIN};
const ui::RecordEditorControls kEditor{
    .list = IDC_OUT_LIST, .add = IDC_OUT_ADD, .remove = IDC_OUT_DELETE, .up = IDC_OUT_UP, .down = IDC_OUT_DOWN,
    .save = IDC_OUT_SAVE, .cancel = IDC_OUT_CANCEL, .browsing = kBrowsing, .editing = kEditing};

// A relay as the list keeps it: the stored record, and its encryption
// choice, stored beside it (the record's own format stays as it is).
struct RelayEntry {
    std::string record;
    int tls = 0;  // util::TlsMode
    util::LoginKind login = util::LoginKind::Password;
    std::string token;  // the sign-in's refresh token, protected, as stored
};

// The relays up to the first missing server key, each with the encryption
// stored at its number; an empty record names no relay and is left out,
// the ones behind it stay.
std::vector<RelayEntry> readRelays() {
    const util::ProfileLines stored = util::readSection(cfg::kOutgoing);
    std::vector<RelayEntry> relays;
    const int count = util::familyLength(stored, cfg::kOutgoingServer, kMaxRelays);
    for (int i = 0; i < count; ++i) {
        std::string record = util::read(stored, cfg::kOutgoingServer, i);
        if (record.empty()) continue;
        int port = util::parseRelayRecord(record).port;
        int tls = util::read(stored, cfg::kOutgoingTls, i);
        const util::LoginKind login = util::loginKindFromName(util::read(stored, cfg::kOutgoingLogin, i));
        relays.push_back({record, static_cast<int>(util::connectionTlsMode(util::MailService::Smtp, port, tls)), login,
                          login == util::LoginKind::Password ? "" : util::read(stored, cfg::kOutgoingToken, i)});
    }
    return relays;
}

struct AppliesTo {
    int button;
    const char* title;
    const char* section;
};
constexpr AppliesTo kAppliesTo[] = {
    {IDC_OUT_COPY_USERS, "Please select the users that will have outgoing mail copied", cfg::kOptOutCopyUsers},
    {IDC_OUT_REDIR_USERS, "Please select the users that will have outgoing mail redirected",
     cfg::kOptOutRedirectUsers},
    {IDC_OUT_SIZE_USERS, "Please select the users that will have size limits", cfg::kOptOutSizeUsers},
};

class OutgoingPage final : public SettingsPage, ui::RecordEditor<RelayEntry>::Delegate {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        relay_ = ui::loadMaskedPicture(IDB_RELAY, IDB_RELAY_MASK);
        upDown(IDC_OUT_PORT_SPIN).setRange(1, 32767);
        upDown(IDC_OUT_SIZE_SPIN).setRange(1, 32767);
        editor_.attach(hwnd_, *this);
        for (const char* choice : util::kTlsChoiceNames) comboBox(IDC_OUT_TLS).add(choice);
        for (const char* choice : util::kLoginChoiceNames) comboBox(IDC_OUT_LOGIN).add(choice);
        editor_.load(readRelays());
        ui::Window(GetDlgItem(hwnd_, IDC_OUT_LIST)).focus();
        return false;
    }

    // A relay that signs in with a provider has no password settings.
    bool allows(int control) const override {
        if (control == IDC_OUT_AUTH_SET && editor_.editing() && login() != util::LoginKind::Password) return false;
        return editor_.allows(control);
    }

    void onUserCommand(int id, int code) override {
        if (editor_.onCommand(id, code)) return;
        if (code == CBN_SELCHANGE && id == IDC_OUT_LOGIN) {
            signedIn_.reset();  // a sign-in belongs to its provider
            refreshLogin();
        }
        if (code != BN_CLICKED) return;
        if (id == IDC_OUT_SIGN_IN) signIn();
        for (const AppliesTo& a : kAppliesTo)
            if (a.button == id) runSelectUsersDialog(hwnd_, a.title, a.section);
        if (id == IDC_OUT_AUTH) changed();
        if (id == IDC_OUT_AUTH_SET) {
            changed();
            auth_.clear();
            runSmtpAuthDialog(hwnd_, auth_);
        }
    }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        const RelayEntry* relay = item.CtlID == IDC_OUT_LIST ? editor_.at(static_cast<int>(item.itemID)) : nullptr;
        if (!relay) return;
        // The encryption shows after the relay, since only a new relay has details.
        std::string shown = relayDisplay(relay->record);
        if (relay->tls != 0) shown += std::string(" (") + util::kTlsChoiceNames[relay->tls % util::kTlsModeCount] + ")";
        if (relay->login != util::LoginKind::Password)
            shown += std::string(" (") + util::kLoginChoiceNames[static_cast<int>(relay->login)] + ")";
        ui::drawPictureItem(item, relay_, shown.c_str());
    }

    // The relays first, then the options.
    bool onApply() override {
        util::ProfileLines lines;
        const auto& records = editor_.records();
        for (std::size_t i = 0; i < records.size(); ++i) {
            util::put(lines, cfg::kOutgoingServer, records[i].record, static_cast<int>(i));
            util::put(lines, cfg::kOutgoingTls, records[i].tls, static_cast<int>(i));
            // A relay with a password is stored exactly as before sign-in existed.
            if (records[i].login == util::LoginKind::Password) continue;
            util::put(lines, cfg::kOutgoingLogin, std::string(util::loginKindName(records[i].login)), static_cast<int>(i));
            util::put(lines, cfg::kOutgoingToken, records[i].token, static_cast<int>(i));
        }
        util::replaceSection(cfg::kOutgoing, lines);
        saveBindings();
        return true;
    }

private:
    // The record editor's side: the list shows the stored records, drawn
    // as readable text; the details are only for a new relay.
    std::string display(const RelayEntry& relay) const override { return relay.record; }
    void showRecord(const RelayEntry&) override { refreshLogin(); }

    void showFresh() override {
        item(IDC_OUT_HOST).setText("");
        item(IDC_OUT_SENDER).setText("");
        item(IDC_OUT_PORT).setText(std::to_string(cfg::kSmtpPort));
        for (int id : {IDC_OUT_CHANGE_FROM, IDC_OUT_INSIDE, IDC_OUT_AUTH}) button(id).check(false);
        comboBox(IDC_OUT_TLS).select(0);
        comboBox(IDC_OUT_LOGIN).select(0);
        signedIn_.reset();
        refreshEnabling();
        refreshLogin();
    }

    void focusDetails(bool) override { edit(IDC_OUT_HOST).focus(); }

    std::optional<RelayEntry> collect(bool) override {
        Relay relay;
        relay.host = item(IDC_OUT_HOST).text();
        std::string port = item(IDC_OUT_PORT).text();
        bool changeSender = button(IDC_OUT_CHANGE_FROM).checked();
        std::string sender = item(IDC_OUT_SENDER).text();
        const util::LoginKind kind = login();
        const bool signsIn = kind != util::LoginKind::Password;
        relay.authentication = signsIn || button(IDC_OUT_AUTH).checked();
        if (auto refusal = checkRelayEntry({relay.host, port, changeSender, sender, relay.authentication && !signsIn,
                                            auth_.complete()})) {
            static constexpr int kFieldControl[] = {IDC_OUT_HOST, IDC_OUT_PORT, IDC_OUT_HOST,
                                                    IDC_OUT_HOST, IDC_OUT_SENDER, IDC_OUT_AUTH_SET};
            refuse(refusal->message, kFieldControl[static_cast<int>(refusal->field)], refusal->selectText);
            return std::nullopt;
        }
        relay.port = static_cast<int>(portValue(port));
        if (changeSender) {
            relay.sender = sender;
            relay.senderInside = button(IDC_OUT_INSIDE).checked();
        }
        if (auto refusal = checkSignedIn(signsIn, signedIn_ && !signedIn_->account.empty())) {
            refuse(*refusal, IDC_OUT_SIGN_IN);
            return std::nullopt;
        }
        // A relay that signs in keeps the account in its record, and no password.
        relay.account64 = signsIn ? util::encodeBase64String(signedIn_->account) : auth_.account64;
        relay.password64 = signsIn ? std::string() : auth_.password64;
        // Ports 465 and 587 fix the encryption whatever the choice: the list shows what is used.
        int tls = static_cast<int>(util::connectionTlsMode(util::MailService::Smtp, relay.port,
                                                           comboBox(IDC_OUT_TLS).selection()));
        return RelayEntry{buildRelayRecord(relay), tls, kind, signsIn ? signedIn_->storedToken : std::string()};
    }

    void changed() override { SettingsPage::changed(); }
    // Every change of mode forgets the authentication being entered.
    void modeChanged() override {
        auth_.clear();
        refreshEnabling();
        refreshLogin();
    }

    util::LoginKind login() const {
        const int chosen = comboBox(IDC_OUT_LOGIN).selection();
        return chosen > 0 && chosen < util::kLoginKindCount ? static_cast<util::LoginKind>(chosen) : util::LoginKind::Password;
    }

    // Editing a new relay, "Sign in..." signs it in; browsing, it signs the
    // selected relay in again (after its sign-in has ended).
    void refreshLogin() {
        const bool editing = editor_.editing();
        const RelayEntry* selected = editor_.selected();
        const bool signsIn = editing ? login() != util::LoginKind::Password
                                     : selected && selected->login != util::LoginKind::Password;
        if (editing && signsIn) button(IDC_OUT_AUTH).check(true);
        item(IDC_OUT_AUTH).enable(editing && !signsIn);
        item(IDC_OUT_SIGN_IN).enable(signsIn);
        refreshEnabling();
    }

    void signIn() {
        if (editor_.editing()) {
            signedIn_ = runSignIn(hwnd_, login(), util::MailService::Smtp, "");
            return;
        }
        const RelayEntry* selected = editor_.selected();
        if (!selected || selected->login == util::LoginKind::Password) return;
        util::RelayRecord stored = util::parseRelayRecord(selected->record);
        std::optional<SignedIn> again = runSignIn(hwnd_, selected->login, util::MailService::Smtp, util::decodeBase64String(stored.account));
        if (!again) return;
        RelayEntry entry = *selected;
        entry.token = again->storedToken;
        if (!again->account.empty() && again->account != util::decodeBase64String(stored.account)) {
            Relay relay{stored.host, stored.port, stored.sendAs, stored.rewriteFrom, true,
                        util::encodeBase64String(again->account), ""};
            entry.record = buildRelayRecord(relay);
        }
        editor_.replace(editor_.selection(), entry);
    }

    ui::RecordEditor<RelayEntry> editor_{kEditor, ui::NewRecordAt::Top};
    ui::MaskedPicture relay_;
    AuthBuffers auth_;
    std::optional<SignedIn> signedIn_;  // the new relay's sign-in
};

}  // namespace

const PageDefinition pages::outgoing{
    {.dialog = IDD_PAGE_OUTGOING, .tips = kOutgoingTips, .bindings = kOutgoingBindings, .rules = kOutgoingRules},
    behaviour<OutgoingPage>};

}  // namespace admin
