// The "Incoming" page: the provider POP3 mailboxes the server collects
// from (section incoming), and what happens to undeliverable mail
// (section undelmail).
#include <memory>
#include <string>

#include "admin/advanced_pop_dialog.h"
#include "admin/list_support.h"
#include "admin/pages.h"
#include "admin/server_checks.h"
#include "frame/crypt.h"
#include "frame/profile.h"
#include "resources/resource_ids.h"

namespace admin {
namespace {

constexpr int kMaxRecords = 32000;

struct PopRecord {
    std::string server;
    int port = 110;
    std::string user;
    std::string password;  // clear text while the page is open
    bool removeMail = true;
    bool extensions = false;
    bool active = true;
    bool bypass = false;
    std::string bypassUser;
};

constexpr Tip kTips[] = {
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
};

constexpr Binding kBindings[] = {
    {"undelmail", "sendbounce", "0", IDC_IN_BOUNCE, BindKind::Flag},
};

constexpr int kListControls[] = {IDC_IN_LIST, IDC_IN_ADD, IDC_IN_DELETE, IDC_IN_UP, IDC_IN_DOWN, IDC_IN_EDIT};
constexpr int kEditorControls[] = {IDC_IN_SERVER,      IDC_IN_PORT,       IDC_IN_PORT_SPIN, IDC_IN_USER,
                                   IDC_IN_PASSWORD,    IDC_IN_SHOW_PW,    IDC_IN_REMOVE_MAIL, IDC_IN_EXTENSIONS,
                                   IDC_IN_ACTIVE,      IDC_IN_BYPASS,     IDC_IN_SAVE,      IDC_IN_CANCEL,
                                   IDC_IN_LBL_SERVER,  IDC_IN_LBL_PORT,   IDC_IN_LBL_USER,  IDC_IN_LBL_PASSWORD};

std::string key(const char* name, int n) { return name + std::to_string(n); }

std::string displayText(const PopRecord& r) { return r.server + " (" + r.user + ")"; }

class IncomingPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    std::span<const Tip> tips() const override { return kTips; }
    std::span<const Binding> bindings() const override { return kBindings; }

    bool onStart() override {
        active_ = OwnedBitmap(IDB_POP_ACTIVE);
        mask_ = OwnedBitmap(IDB_POP_MASK);
        inactive_ = OwnedBitmap(IDB_POP_INACTIVE);
        upDown(IDC_IN_PORT_SPIN).setRange(1, 32767);
        edit(IDC_IN_PASSWORD).mask(true);
        item(IDC_IN_EXTENSIONS).show(false);  // kept and stored, but not offered
        readRecords();
        list().select(0);

        for (const std::string& name : mailboxNames()) {
            comboBox(IDC_IN_RECIPIENT).add(name);
            comboBox(IDC_IN_BYPASS_USER).add(name);
        }
        comboBox(IDC_IN_RECIPIENT).selectPrefix(util::profileString("undelmail", "recipient", ""));
        comboBox(IDC_IN_BYPASS_USER).select(0);

        viewMode();
        showSelected();

        int action = util::profileInt("undelmail", "action", 2);
        button(IDC_IN_COPY_ALL).check(action == 0);
        button(IDC_IN_KILL).check(action == 1);
        button(IDC_IN_ROUTE).check(action == 2);
        item(IDC_IN_RECIPIENT).enable(action == 2);
        return true;
    }

    void onSetActive() override { SetForegroundWindow(sheet()); }

    void onControl(int id, int code) override {
        if (code == CBN_SELCHANGE && (id == IDC_IN_RECIPIENT || id == IDC_IN_BYPASS_USER)) {
            changed();
            return;
        }
        if (id == IDC_IN_LIST) {
            if (code == LBN_SELCHANGE) showSelected();
            return;
        }
        if (code != BN_CLICKED) return;
        switch (id) {
        case IDC_IN_ADD: add(); break;
        case IDC_IN_EDIT: editSelected(); break;
        case IDC_IN_DELETE: removeSelected(); break;
        case IDC_IN_UP: move(-1); break;
        case IDC_IN_DOWN: move(+1); break;
        case IDC_IN_SAVE: save(); break;
        case IDC_IN_CANCEL:
            viewMode();
            showSelected();
            break;
        case IDC_IN_SHOW_PW: edit(IDC_IN_PASSWORD).mask(!button(IDC_IN_SHOW_PW).checked()); break;
        case IDC_IN_BYPASS:
            item(IDC_IN_BYPASS_USER).enable(button(IDC_IN_BYPASS).checked());
            changed();
            break;
        case IDC_IN_COPY_ALL:
        case IDC_IN_KILL:
            item(IDC_IN_RECIPIENT).enable(false);
            changed();
            break;
        case IDC_IN_ROUTE:
            item(IDC_IN_RECIPIENT).enable(true);
            changed();
            break;
        case IDC_IN_ADVANCED: runAdvancedPopDialog(hwnd_); break;
        default: break;
        }
    }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_IN_LIST || item.itemID == static_cast<UINT>(-1)) return;
        const PopRecord* r = record(static_cast<int>(item.itemID));
        if (!r) return;
        drawPictureItem(item, r->active ? active_.get() : inactive_.get(), mask_.get(), displayText(*r));
    }

    bool onApply() override {
        util::deleteProfileSection("incoming");
        for (int i = 0; i < list().count(); ++i) {
            const PopRecord* r = record(i);
            if (!r) continue;
            auto write = [&](const char* name, const std::string& value) {
                util::writeProfileString("incoming", key(name, i).c_str(), value);
            };
            write("node", r->server);
            write("user", r->user);
            write("password", util::crypt(util::kSystemKey, r->password, true));
            write("port", std::to_string(r->port));
            write("deletemail", r->removeMail ? "1" : "0");
            write("extention", r->extensions ? "1" : "0");
            write("active", r->active ? "1" : "0");
            write("bypass", r->bypass ? "1" : "0");
            write("bpuser", r->bypassUser);
        }
        saveBindings();
        if (button(IDC_IN_COPY_ALL).checked()) {
            util::writeProfileString("undelmail", "action", "0");
        } else if (button(IDC_IN_KILL).checked()) {
            util::writeProfileString("undelmail", "action", "1");
        } else if (button(IDC_IN_ROUTE).checked()) {
            util::writeProfileString("undelmail", "action", "2");
            util::writeProfileString("undelmail", "recipient", comboBox(IDC_IN_RECIPIENT).selectedText());
        }
        return true;
    }

    void onDestroy() override {
        for (int i = 0; i < list().count(); ++i) delete record(i);
        list().clear();
    }

private:
    ListBox list() const { return listBox(IDC_IN_LIST); }
    PopRecord* record(int index) const {
        LPARAM data = list().data(index);
        return data == LB_ERR ? nullptr : reinterpret_cast<PopRecord*>(data);
    }

    void readRecords() {
        for (int i = 0; i < kMaxRecords; ++i) {
            std::string server = util::profileString("incoming", key("node", i).c_str(), "");
            if (server.empty()) break;
            auto r = std::make_unique<PopRecord>();
            r->server = server;
            r->user = util::profileString("incoming", key("user", i).c_str(), "");
            r->password = util::crypt(util::kSystemKey,
                                      util::profileString("incoming", key("Password", i).c_str(), ""), false);
            r->port = util::profileInt("incoming", key("port", i).c_str(), 110);
            r->removeMail = util::profileInt("incoming", key("deletemail", i).c_str(), 1) != 0;
            r->extensions = util::profileInt("incoming", key("extention", i).c_str(), 0) != 0;
            r->active = util::profileInt("incoming", key("active", i).c_str(), 1) != 0;
            r->bypass = util::profileInt("incoming", key("bypass", i).c_str(), 0) != 0;
            r->bypassUser = util::profileString("incoming", key("bpuser", i).c_str(), "");
            insert(-1, std::move(r));
        }
    }

    // Adds a record at index (-1: at the end) and returns its position.
    int insert(int index, std::unique_ptr<PopRecord> r) {
        int at = index < 0 ? list().add(displayText(*r)) : list().insert(index, displayText(*r));
        if (at < 0) return -1;
        list().setData(at, reinterpret_cast<LPARAM>(r.release()));
        return at;
    }

    void viewMode() {
        for (int id : kListControls) item(id).enable(true);
        for (int id : kEditorControls) item(id).enable(false);
        item(IDC_IN_BYPASS_USER).enable(false);
    }

    void editMode() {
        for (int id : kListControls) item(id).enable(false);
        for (int id : kEditorControls) item(id).enable(true);
        item(IDC_IN_BYPASS_USER).enable(button(IDC_IN_BYPASS).checked());
    }

    void showRecord(const PopRecord& r) {
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
    }

    void showSelected() {
        int index = list().selection();
        const PopRecord* r = index >= 0 ? record(index) : nullptr;
        showRecord(r ? *r : freshRecord());
    }

    static PopRecord freshRecord() {
        PopRecord r;
        r.extensions = true;  // a new mailbox starts with extensions on
        return r;
    }

    void add() {
        showRecord(freshRecord());
        adding_ = true;
        editMode();
        edit(IDC_IN_SERVER).focus();
    }

    void editSelected() {
        if (list().selection() < 0) return;
        adding_ = false;
        editMode();
        edit(IDC_IN_SERVER).focus();
        edit(IDC_IN_SERVER).selectAll();
    }

    void removeSelected() {
        int index = list().selection();
        if (index < 0) return;
        delete record(index);
        list().remove(index);
        int count = list().count();
        if (count > 0) list().select(index < count ? index : count - 1);
        showSelected();
        changed();
    }

    void move(int step) {
        int from = list().selection();
        int to = from + step;
        if (from < 0 || to < 0 || to >= list().count()) return;
        LPARAM data = list().data(from);
        std::string text = list().itemText(from);
        list().remove(from);
        list().insert(to, text);
        list().setData(to, data);
        list().select(to);
        changed();
    }

    void save() {
        std::string server = item(IDC_IN_SERVER).text();
        std::string port = item(IDC_IN_PORT).text();
        std::string user = item(IDC_IN_USER).text();
        std::string password = item(IDC_IN_PASSWORD).text();
        if (auto refusal = checkPopEntry({server, port, user, password})) {
            static constexpr int kFieldControl[] = {IDC_IN_SERVER, IDC_IN_PORT, IDC_IN_USER, IDC_IN_PASSWORD};
            refuse(refusal->message, kFieldControl[static_cast<int>(refusal->field)], refusal->selectText);
            return;
        }
        auto r = std::make_unique<PopRecord>();
        r->server = server;
        r->port = static_cast<int>(portValue(port));
        r->user = user;
        r->password = password;
        r->removeMail = button(IDC_IN_REMOVE_MAIL).checked();
        r->extensions = button(IDC_IN_EXTENSIONS).checked();
        r->active = button(IDC_IN_ACTIVE).checked();
        r->bypass = button(IDC_IN_BYPASS).checked();
        r->bypassUser = comboBox(IDC_IN_BYPASS_USER).selectedText();

        int index = list().selection();
        int at;
        if (adding_ || index < 0) {
            at = insert(-1, std::move(r));
        } else {
            delete record(index);
            list().remove(index);
            at = insert(index, std::move(r));
        }
        if (at >= 0) list().select(at);
        viewMode();
        showSelected();
        changed();
    }

    OwnedBitmap active_, mask_, inactive_;
    bool adding_ = false;
};

}  // namespace

std::unique_ptr<SettingsPage> makeIncomingPage(const PageInfo& info) {
    return std::make_unique<IncomingPage>(info.title, info.dialog, info.helpTopic);
}

}  // namespace admin
