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
#include "frame/profile.h"
#include "resources/admin_ids.h"
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
                            IDC_OUT_LBL_TLS};
const ui::RecordEditorControls kEditor{
    .list = IDC_OUT_LIST, .add = IDC_OUT_ADD, .remove = IDC_OUT_DELETE, .up = IDC_OUT_UP, .down = IDC_OUT_DOWN,
    .save = IDC_OUT_SAVE, .cancel = IDC_OUT_CANCEL, .browsing = kBrowsing, .editing = kEditing};

// A relay as the list keeps it: the stored record, and its encryption
// choice, stored beside it (the record's own format stays as it is).
struct RelayEntry {
    std::string record;
    int tls = 0;  // util::TlsMode
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
        relays.push_back({record, static_cast<int>(util::connectionTlsMode(util::MailService::Smtp, port, tls))});
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
        editor_.load(readRelays());
        ui::Window(GetDlgItem(hwnd_, IDC_OUT_LIST)).focus();
        return false;
    }

    bool allows(int control) const override { return editor_.allows(control); }

    void onUserCommand(int id, int code) override {
        if (editor_.onCommand(id, code) || code != BN_CLICKED) return;
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
        ui::drawPictureItem(item, relay_, shown.c_str());
    }

    // The relays first, then the options.
    bool onApply() override {
        util::ProfileLines lines;
        const auto& records = editor_.records();
        for (std::size_t i = 0; i < records.size(); ++i) {
            util::put(lines, cfg::kOutgoingServer, records[i].record, static_cast<int>(i));
            util::put(lines, cfg::kOutgoingTls, records[i].tls, static_cast<int>(i));
        }
        util::replaceSection(cfg::kOutgoing, lines);
        saveBindings();
        return true;
    }

private:
    // The record editor's side: the list shows the stored records, drawn
    // as readable text; the details are only for a new relay.
    std::string display(const RelayEntry& relay) const override { return relay.record; }
    void showRecord(const RelayEntry&) override {}

    void showFresh() override {
        item(IDC_OUT_HOST).setText("");
        item(IDC_OUT_SENDER).setText("");
        item(IDC_OUT_PORT).setText(std::to_string(cfg::kSmtpPort));
        for (int id : {IDC_OUT_CHANGE_FROM, IDC_OUT_INSIDE, IDC_OUT_AUTH}) button(id).check(false);
        comboBox(IDC_OUT_TLS).select(0);
        refreshEnabling();
    }

    void focusDetails(bool) override { edit(IDC_OUT_HOST).focus(); }

    std::optional<RelayEntry> collect(bool) override {
        Relay relay;
        relay.host = item(IDC_OUT_HOST).text();
        std::string port = item(IDC_OUT_PORT).text();
        bool changeSender = button(IDC_OUT_CHANGE_FROM).checked();
        std::string sender = item(IDC_OUT_SENDER).text();
        relay.authentication = button(IDC_OUT_AUTH).checked();
        if (auto refusal = checkRelayEntry({relay.host, port, changeSender, sender, relay.authentication,
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
        relay.account64 = auth_.account64;
        relay.password64 = auth_.password64;
        // Ports 465 and 587 fix the encryption whatever the choice: the list shows what is used.
        int tls = static_cast<int>(util::connectionTlsMode(util::MailService::Smtp, relay.port,
                                                           comboBox(IDC_OUT_TLS).selection()));
        return RelayEntry{buildRelayRecord(relay), tls};
    }

    void changed() override { SettingsPage::changed(); }
    // Every change of mode forgets the authentication being entered.
    void modeChanged() override {
        auth_.clear();
        refreshEnabling();
    }

    ui::RecordEditor<RelayEntry> editor_{kEditor, ui::NewRecordAt::Top};
    ui::MaskedPicture relay_;
    AuthBuffers auth_;
};

}  // namespace

const PageDefinition pages::outgoing{
    {.dialog = IDD_PAGE_OUTGOING, .tips = kOutgoingTips, .bindings = kOutgoingBindings, .rules = kOutgoingRules},
    behaviour<OutgoingPage>};

}  // namespace admin
