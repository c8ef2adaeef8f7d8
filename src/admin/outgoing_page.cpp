// The "Outgoing" page: the provider SMTP relays in the order they are tried
// (section outgoing), and the copy, redirect and size options for outgoing
// mail (section opt-outgoing).
#include <memory>
#include <string>

#include "admin/list_support.h"
#include "admin/outgoing_dialogs.h"
#include "admin/pages.h"
#include "admin/relay_record.h"
#include "admin/server_checks.h"
#include "frame/profile.h"
#include "resources/resource_ids.h"

namespace admin {
namespace {

constexpr int kMaxRelays = 32000;

constexpr Tip kTips[] = {
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
};

constexpr Binding kBindings[] = {
    {"outgoing", "use-next", "1", IDC_OUT_USE_NEXT, BindKind::Flag},
    {"opt-outgoing", "copy", "0", IDC_OUT_COPY, BindKind::Flag},
    {"opt-outgoing", "redir", "0", IDC_OUT_REDIR, BindKind::Flag},
    {"opt-outgoing", "size", "0", IDC_OUT_SIZE, BindKind::Flag},
    {"opt-outgoing", "sizekb", "256", IDC_OUT_SIZE_KB, BindKind::Text},
};

constexpr int kListControls[] = {IDC_OUT_LIST, IDC_OUT_ADD, IDC_OUT_DELETE, IDC_OUT_UP, IDC_OUT_DOWN,
                                 IDC_OUT_USE_NEXT};
constexpr int kEditorControls[] = {IDC_OUT_HOST,   IDC_OUT_PORT,     IDC_OUT_PORT_SPIN, IDC_OUT_AUTH,
                                   IDC_OUT_CHANGE_FROM, IDC_OUT_SAVE, IDC_OUT_CANCEL,    IDC_OUT_LBL_HOST,
                                   IDC_OUT_LBL_PORT};
// Enabled only through their own check boxes while editing.
constexpr int kSenderControls[] = {IDC_OUT_SENDER, IDC_OUT_SENDER_LBL, IDC_OUT_INSIDE};

// The option check boxes and the controls each one enables.
struct OptionGroup {
    int check;
    int controls[4];
};
constexpr OptionGroup kOptions[] = {
    {IDC_OUT_COPY, {IDC_OUT_COPY_USER, IDC_OUT_COPY_USERS, 0, 0}},
    {IDC_OUT_REDIR, {IDC_OUT_REDIR_USER, IDC_OUT_REDIR_USERS, 0, 0}},
    {IDC_OUT_SIZE, {IDC_OUT_SIZE_KB, IDC_OUT_SIZE_SPIN, IDC_OUT_KBYTES, IDC_OUT_SIZE_USERS}},
};

struct AppliesTo {
    int button;
    const char* title;
    const char* section;
};
constexpr AppliesTo kAppliesTo[] = {
    {IDC_OUT_COPY_USERS, "Please select the users that will have outgoing mail copied", "opt-out-copy"},
    {IDC_OUT_REDIR_USERS, "Please select the users that will have outgoing mail redirected", "opt-out-redir"},
    {IDC_OUT_SIZE_USERS, "Please select the users that will have size limits", "opt-out-size"},
};

class OutgoingPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    std::span<const Tip> tips() const override { return kTips; }
    std::span<const Binding> bindings() const override { return kBindings; }

    bool onStart() override {
        relay_ = OwnedBitmap(IDB_RELAY);
        mask_ = OwnedBitmap(IDB_RELAY_MASK);
        upDown(IDC_OUT_PORT_SPIN).setRange(1, 32767);
        for (int i = 0; i < kMaxRelays; ++i) {
            std::string record = util::profileString("outgoing", ("server" + std::to_string(i)).c_str(), "");
            if (record.empty()) break;
            list().add(record);
        }
        list().select(0);
        viewMode();
        for (const OptionGroup& option : kOptions) enableOption(option);

        for (const std::string& name : mailboxNames()) {
            comboBox(IDC_OUT_COPY_USER).add(name);
            comboBox(IDC_OUT_REDIR_USER).add(name);
        }
        comboBox(IDC_OUT_COPY_USER).selectPrefix(util::profileString("opt-outgoing", "copyuser", ""));
        comboBox(IDC_OUT_REDIR_USER).selectPrefix(util::profileString("opt-outgoing", "rediruser", ""));

        item(IDC_OUT_AUTH_SET).enable(false);
        upDown(IDC_OUT_SIZE_SPIN).setRange(1, 32767);
        list().focus();
        return false;
    }

    void onSetActive() override { SetForegroundWindow(sheet()); }

    void onControl(int id, int code) override {
        if (code == CBN_SELCHANGE && (id == IDC_OUT_COPY_USER || id == IDC_OUT_REDIR_USER)) changed();
        if (code != BN_CLICKED) return;
        for (const OptionGroup& option : kOptions)
            if (option.check == id) enableOption(option);  // the binding reported the change
        for (const AppliesTo& a : kAppliesTo)
            if (a.button == id) runSelectUsersDialog(hwnd_, a.title, a.section);
        switch (id) {
        case IDC_OUT_ADD: add(); break;
        case IDC_OUT_DELETE: removeSelected(); break;
        case IDC_OUT_UP: move(-1); break;
        case IDC_OUT_DOWN: move(+1); break;
        case IDC_OUT_SAVE: save(); break;
        case IDC_OUT_CANCEL:
            viewMode();
            auth_.clear();
            break;
        case IDC_OUT_CHANGE_FROM:
            for (int c : kSenderControls) item(c).enable(button(IDC_OUT_CHANGE_FROM).checked());
            break;
        case IDC_OUT_AUTH:
            item(IDC_OUT_AUTH_SET).enable(button(IDC_OUT_AUTH).checked());
            changed();
            break;
        case IDC_OUT_AUTH_SET:
            changed();
            auth_.clear();
            runSmtpAuthDialog(hwnd_, auth_);
            break;
        default: break;
        }
    }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_OUT_LIST || item.itemID == static_cast<UINT>(-1)) return;
        drawPictureItem(item, relay_.get(), mask_.get(), relayDisplay(list().itemText(static_cast<int>(item.itemID))));
    }

    bool onApply() override {
        util::deleteProfileSection("outgoing");
        for (int i = 0; i < list().count(); ++i)
            util::writeProfileString("outgoing", ("server" + std::to_string(i)).c_str(), list().itemText(i));
        saveBindings();
        util::writeProfileString("opt-outgoing", "copyuser", comboBox(IDC_OUT_COPY_USER).selectedText());
        util::writeProfileString("opt-outgoing", "rediruser", comboBox(IDC_OUT_REDIR_USER).selectedText());
        return true;
    }

private:
    ListBox list() const { return listBox(IDC_OUT_LIST); }

    void enableOption(const OptionGroup& option) const {
        bool on = button(option.check).checked();
        for (int c : option.controls)
            if (c) item(c).enable(on);
    }

    void viewMode() {
        for (int id : kListControls) item(id).enable(true);
        for (int id : kEditorControls) item(id).enable(false);
        for (int id : kSenderControls) item(id).enable(false);
        item(IDC_OUT_AUTH_SET).enable(false);
    }

    void editMode() {
        for (int id : kListControls) item(id).enable(false);
        for (int id : kEditorControls) item(id).enable(true);
        for (int id : kSenderControls) item(id).enable(false);
        item(IDC_OUT_AUTH_SET).enable(false);
        for (int id : {IDC_OUT_CHANGE_FROM, IDC_OUT_INSIDE, IDC_OUT_AUTH}) button(id).check(false);
    }

    void add() {
        editMode();
        auth_.clear();
        item(IDC_OUT_HOST).setText("");
        item(IDC_OUT_SENDER).setText("");
        item(IDC_OUT_PORT).setText("25");
        button(IDC_OUT_CHANGE_FROM).check(false);
        edit(IDC_OUT_HOST).focus();
    }

    void removeSelected() {
        int index = list().selection();
        if (index < 0) return;
        list().remove(index);
        int count = list().count();
        if (count > 0) list().select(index < count ? index : count - 1);
        changed();
    }

    void move(int step) {
        int from = list().selection();
        int to = from + step;
        if (from < 0 || to < 0 || to >= list().count()) return;
        std::string text = list().itemText(from);
        list().remove(from);
        list().insert(to, text);
        list().select(to);
        changed();
    }

    void save() {
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
            return;
        }
        relay.port = static_cast<int>(portValue(port));
        if (changeSender) {
            relay.sender = sender;
            relay.senderInside = button(IDC_OUT_INSIDE).checked();
        }
        relay.account64 = auth_.account64;
        relay.password64 = auth_.password64;
        int at = list().insert(0, buildRelayRecord(relay));
        if (at >= 0) list().select(at);
        changed();
        viewMode();
        auth_.clear();
    }

    OwnedBitmap relay_, mask_;
    AuthBuffers auth_;
};

}  // namespace

std::unique_ptr<SettingsPage> makeOutgoingPage(const PageInfo& info) {
    return std::make_unique<OutgoingPage>(info.title, info.dialog, info.helpTopic);
}

}  // namespace admin
