// The "Incoming" page's behaviour: the provider POP3 mailboxes the server
// collects from (section incoming), kept in the record editor while the
// page is open and rewritten whole at Apply. The undeliverable-mail
// settings are bindings of the page's definition.
#include <memory>
#include <string>
#include <vector>

#include "admin/advanced_pop_dialog.h"
#include "admin/incoming_ids.h"
#include "admin/server_checks.h"
#include "admin/settings_page.h"
#include "admin/sign_in_step.h"
#include "frame/crypt.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "transport/oauth_rules.h"
#include "transport/tls_rules.h"
#include "ui/gdi.h"
#include "ui/record_editor.h"

namespace admin {
namespace {

constexpr ui::Tip kIncomingTips[] = {
    {IDC_IN_SERVER, "Name of POP server"},
    {IDC_IN_PORT, "POP server port number (default=110)"},
    {IDC_IN_LIST, "Pop servers to collect mail from"},
    {IDC_IN_ADD, "Add a new POP server"},
    {IDC_IN_DELETE, "Remove a POP server"},
    {IDC_IN_UP, "Change order servers are connected to"},
    {IDC_IN_DOWN, "Change order servers are connected to"},
    {IDC_IN_EDIT, "Edit POP server settings"},
    {IDC_IN_SAVE, "Save new server"},
    {IDC_IN_CANCEL, "Cancel operation"},
    {IDC_IN_COPY_ALL, "Copy misaddressed message to all users"},
    {IDC_IN_KILL, "Delete misaddressed message"},
    {IDC_IN_SHOW_PW, "Show or hide password"},
    {IDC_IN_REMOVE_MAIL, "Delete mail from server after collection"},
    {IDC_IN_EXTENSIONS, "Enable protocol extentions"},
    {IDC_IN_ROUTE, "Send misaddressed message to a user"},
    {IDC_IN_RECIPIENT, "User to receive miss-addressed message"},
    {IDC_IN_BOUNCE, "Send an undeliverable message back"},
    {IDC_IN_ADVANCED, "Set a size limit on incoming messages"},
    {IDC_IN_USER, "POP login user name"},
    {IDC_IN_PASSWORD, "POP login password"},
    {IDC_IN_ACTIVE, "Collect mail from this mailbox"},
    {IDC_IN_BYPASS, "Give all mail from this pop3 mail collection to a user"},
    {IDC_IN_BYPASS_USER, "The user to receive all mail from this collection"},
    {IDC_IN_TLS, "Encryption: TLS from the start (port 995) or STARTTLS"},
    {IDC_IN_LOGIN, "Log in with the password, or sign in with a provider (Microsoft, Google, other)"},
    {IDC_IN_SIGN_IN, "Sign in with the provider in the browser"},
};
constexpr ui::RadioChoice kUndeliverableChoices[] = {{IDC_IN_COPY_ALL, 0}, {IDC_IN_KILL, 1}, {IDC_IN_ROUTE, 2}};
constexpr ui::Binding kIncomingBindings[] = {
    ui::check(IDC_IN_BOUNCE, cfg::kUndelSendBounce),
    ui::radio(cfg::kUndelAction, kUndeliverableChoices),
    ui::writtenWhile(ui::comboText(IDC_IN_RECIPIENT, cfg::kUndelRecipient, accountNames, true), IDC_IN_ROUTE),
};
constexpr int kInRouteControls[] = {IDC_IN_RECIPIENT};
constexpr int kInBypassControls[] = {IDC_IN_BYPASS_USER};
constexpr ui::EnableRule kIncomingRules[] = {
    {IDC_IN_ROUTE, kInRouteControls},
    {IDC_IN_BYPASS, kInBypassControls},
};

constexpr int kMaxRecords = 32000;

struct PopRecord {
    std::string server;
    int port = cfg::kPop3Port;
    std::string user;
    std::string password;  // clear text while the page is open
    bool removeMail = true;
    bool extensions = false;
    bool active = true;
    bool bypass = false;
    std::string bypassUser;
    int tls = 0;  // util::TlsMode, stored beside the record
    util::LoginKind login = util::LoginKind::Password;  // stored beside the record
    std::string token;  // the sign-in's refresh token, protected, as stored
};

constexpr int kEditorControls[] = {IDC_IN_SERVER,     IDC_IN_PORT,        IDC_IN_PORT_SPIN,  IDC_IN_USER,
                                   IDC_IN_PASSWORD,   IDC_IN_SHOW_PW,     IDC_IN_REMOVE_MAIL, IDC_IN_EXTENSIONS,
                                   IDC_IN_ACTIVE,     IDC_IN_BYPASS,      IDC_IN_LBL_SERVER, IDC_IN_LBL_PORT,
                                   IDC_IN_LBL_USER,   IDC_IN_LBL_PASSWORD, IDC_IN_BYPASS_USER, IDC_IN_TLS,
                                   IDC_IN_LBL_TLS,    IDC_IN_LOGIN,       IDC_IN_LBL_LOGIN};
const ui::RecordEditorControls kEditor{
    .list = IDC_IN_LIST, .add = IDC_IN_ADD, .edit = IDC_IN_EDIT, .remove = IDC_IN_DELETE, .up = IDC_IN_UP,
    .down = IDC_IN_DOWN, .save = IDC_IN_SAVE, .cancel = IDC_IN_CANCEL, .editing = kEditorControls};

PopRecord readRecord(const util::ProfileLines& stored, int i) {
    PopRecord r;
    r.server = util::read(stored, cfg::kIncomingNode, i);
    r.user = util::read(stored, cfg::kIncomingUser, i);
    r.password = util::crypt(util::kSystemKey, util::read(stored, cfg::kIncomingPassword, i), false);
    r.port = util::read(stored, cfg::kIncomingPort, i);
    r.removeMail = util::read(stored, cfg::kIncomingDeleteMail, i) != 0;
    r.extensions = util::read(stored, cfg::kIncomingExtensions, i) != 0;
    r.active = util::read(stored, cfg::kIncomingActive, i) != 0;
    r.bypass = util::read(stored, cfg::kIncomingBypass, i) != 0;
    r.bypassUser = util::read(stored, cfg::kIncomingBypassUser, i);
    r.tls = static_cast<int>(
        util::connectionTlsMode(util::MailService::Pop3, r.port, util::read(stored, cfg::kIncomingTls, i)));
    r.login = util::loginKindFromName(util::read(stored, cfg::kIncomingLogin, i));
    if (r.login != util::LoginKind::Password) r.token = util::read(stored, cfg::kIncomingToken, i);
    return r;
}

// The mailboxes up to the first missing server key; one whose server is
// empty cannot be collected from and is left out, the ones behind it stay.
std::vector<PopRecord> readRecords() {
    const util::ProfileLines stored = util::readSection(cfg::kIncoming);
    std::vector<PopRecord> records;
    const int count = util::familyLength(stored, cfg::kIncomingNode, kMaxRecords);
    for (int i = 0; i < count; ++i)
        if (!util::read(stored, cfg::kIncomingNode, i).empty()) records.push_back(readRecord(stored, i));
    return records;
}

void putRecord(util::ProfileLines& lines, int i, const PopRecord& r) {
    util::put(lines, cfg::kIncomingNode, r.server, i);
    util::put(lines, cfg::kIncomingUser, r.user, i);
    util::put(lines, cfg::kIncomingPassword, util::crypt(util::kSystemKey, r.password, true), i);
    util::put(lines, cfg::kIncomingPort, r.port, i);
    util::put(lines, cfg::kIncomingDeleteMail, r.removeMail ? 1 : 0, i);
    util::put(lines, cfg::kIncomingExtensions, r.extensions ? 1 : 0, i);
    util::put(lines, cfg::kIncomingActive, r.active ? 1 : 0, i);
    util::put(lines, cfg::kIncomingBypass, r.bypass ? 1 : 0, i);
    util::put(lines, cfg::kIncomingBypassUser, r.bypassUser, i);
    util::put(lines, cfg::kIncomingTls, r.tls, i);
    // A mailbox with a password is stored exactly as before sign-in existed.
    if (r.login == util::LoginKind::Password) return;
    util::put(lines, cfg::kIncomingLogin, std::string(util::loginKindName(r.login)), i);
    util::put(lines, cfg::kIncomingToken, r.token, i);
}

class IncomingPage final : public SettingsPage, ui::RecordEditor<PopRecord>::Delegate {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        active_ = ui::loadMaskedPicture(IDB_POP_ACTIVE, IDB_POP_MASK);
        inactive_ = ui::loadMaskedPicture(IDB_POP_INACTIVE, IDB_POP_MASK);
        upDown(IDC_IN_PORT_SPIN).setRange(1, 32767);
        edit(IDC_IN_PASSWORD).mask(true);
        item(IDC_IN_EXTENSIONS).show(false);  // kept and stored, but not offered
        for (const char* choice : util::kTlsChoiceNames) comboBox(IDC_IN_TLS).add(choice);
        for (const char* choice : util::kLoginChoiceNames) comboBox(IDC_IN_LOGIN).add(choice);
        for (const std::string& name : accountNames()) comboBox(IDC_IN_BYPASS_USER).add(name);
        comboBox(IDC_IN_BYPASS_USER).select(0);
        editor_.attach(hwnd_, *this);
        editor_.load(readRecords());
        return true;
    }

    bool allows(int control) const override { return editor_.allows(control); }

    void onUserCommand(int id, int code) override {
        if (editor_.onCommand(id, code)) return;
        if (code == CBN_SELCHANGE && id == IDC_IN_BYPASS_USER) changed();
        if (code == CBN_SELCHANGE && id == IDC_IN_LOGIN) {
            token_.clear();  // a sign-in belongs to its provider
            refreshLogin();
        }
        if (code != BN_CLICKED) return;
        if (id == IDC_IN_SIGN_IN) signIn();
        if (id == IDC_IN_SHOW_PW) edit(IDC_IN_PASSWORD).mask(!button(IDC_IN_SHOW_PW).checked());
        if (id == IDC_IN_BYPASS) changed();
        if (id == IDC_IN_ADVANCED) runAdvancedPopDialog(hwnd_);
    }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_IN_LIST) return;
        const PopRecord* r = editor_.at(static_cast<int>(item.itemID));
        if (!r) return;
        ui::drawPictureItem(item, r->active ? active_ : inactive_, display(*r).c_str());
    }

    // The mailboxes first, then the undeliverable-mail settings.
    bool onApply() override {
        util::ProfileLines lines;
        const auto& records = editor_.records();
        for (std::size_t i = 0; i < records.size(); ++i) putRecord(lines, static_cast<int>(i), records[i]);
        util::replaceSection(cfg::kIncoming, lines);
        saveBindings();
        return true;
    }

private:
    // The record editor's side.
    std::string display(const PopRecord& r) const override {
        if (r.login == util::LoginKind::Password) return r.server + " (" + r.user + ")";
        return r.server + " (" + r.user + ", " + util::kLoginChoiceNames[static_cast<int>(r.login)] + ")";
    }

    void showRecord(const PopRecord& r) override {
        item(IDC_IN_SERVER).setText(r.server);
        item(IDC_IN_PORT).setText(std::to_string(r.port));
        item(IDC_IN_USER).setText(r.user);
        item(IDC_IN_PASSWORD).setText(r.password);
        button(IDC_IN_SHOW_PW).check(false);
        edit(IDC_IN_PASSWORD).mask(true);
        button(IDC_IN_REMOVE_MAIL).check(r.removeMail);
        button(IDC_IN_EXTENSIONS).check(r.extensions);
        button(IDC_IN_ACTIVE).check(r.active);
        button(IDC_IN_BYPASS).check(r.bypass);
        comboBox(IDC_IN_BYPASS_USER).selectPrefix(r.bypassUser);
        comboBox(IDC_IN_TLS).select(r.tls);
        comboBox(IDC_IN_LOGIN).select(static_cast<int>(r.login));
        token_ = r.token;
        refreshEnabling();
        refreshLogin();
    }

    void showFresh() override {
        PopRecord fresh;
        fresh.extensions = true;  // a new mailbox starts with extensions on
        showRecord(fresh);
    }

    void focusDetails(bool adding) override {
        edit(IDC_IN_SERVER).focus();
        if (!adding) edit(IDC_IN_SERVER).selectAll();
    }

    std::optional<PopRecord> collect(bool) override {
        PopRecord r;
        r.server = item(IDC_IN_SERVER).text();
        std::string port = item(IDC_IN_PORT).text();
        r.user = item(IDC_IN_USER).text();
        r.login = login();
        const bool signsIn = r.login != util::LoginKind::Password;
        r.password = signsIn ? std::string() : item(IDC_IN_PASSWORD).text();
        if (auto refusal = checkPopEntry({r.server, port, r.user, r.password, signsIn})) {
            static constexpr int kFieldControl[] = {IDC_IN_SERVER, IDC_IN_PORT, IDC_IN_USER, IDC_IN_PASSWORD};
            refuse(refusal->message, kFieldControl[static_cast<int>(refusal->field)], refusal->selectText);
            return std::nullopt;
        }
        if (auto refusal = checkSignedIn(signsIn, !token_.empty())) {
            refuse(*refusal, IDC_IN_SIGN_IN);
            return std::nullopt;
        }
        r.token = signsIn ? token_ : std::string();
        r.port = static_cast<int>(portValue(port));
        r.removeMail = button(IDC_IN_REMOVE_MAIL).checked();
        r.extensions = button(IDC_IN_EXTENSIONS).checked();
        r.active = button(IDC_IN_ACTIVE).checked();
        r.bypass = button(IDC_IN_BYPASS).checked();
        r.bypassUser = comboBox(IDC_IN_BYPASS_USER).selectedText();
        // The port 995 is TLS whatever the choice: the page shows what is used.
        r.tls = static_cast<int>(util::connectionTlsMode(util::MailService::Pop3, r.port, comboBox(IDC_IN_TLS).selection()));
        return r;
    }

    void changed() override { SettingsPage::changed(); }
    void modeChanged() override {
        refreshEnabling();
        refreshLogin();
    }

    util::LoginKind login() const {
        const int chosen = comboBox(IDC_IN_LOGIN).selection();
        return chosen > 0 && chosen < util::kLoginKindCount ? static_cast<util::LoginKind>(chosen) : util::LoginKind::Password;
    }

    // A mailbox that signs in with a provider has no password; its sign-in
    // runs while it is edited.
    void refreshLogin() {
        const bool editing = editor_.editing();
        const bool password = login() == util::LoginKind::Password;
        item(IDC_IN_PASSWORD).enable(editing && password);
        item(IDC_IN_SHOW_PW).enable(editing && password);
        item(IDC_IN_SIGN_IN).enable(editing && !password);
    }

    // The user name, when given, is the account the provider is asked for;
    // the account the provider signed in replaces it.
    void signIn() {
        std::optional<SignedIn> signedIn = runSignIn(hwnd_, login(), util::MailService::Pop3, item(IDC_IN_USER).text());
        if (!signedIn) return;
        token_ = signedIn->storedToken;
        if (!signedIn->account.empty()) item(IDC_IN_USER).setText(signedIn->account);
        item(IDC_IN_PASSWORD).setText("");
    }

    ui::RecordEditor<PopRecord> editor_{kEditor};
    std::string token_;  // the sign-in of the record being edited, as it will be stored
    ui::MaskedPicture active_, inactive_;
};

}  // namespace

const PageDefinition pages::incoming{
    {.dialog = IDD_PAGE_INCOMING, .tips = kIncomingTips, .bindings = kIncomingBindings, .rules = kIncomingRules},
    behaviour<IncomingPage>};

}  // namespace admin
