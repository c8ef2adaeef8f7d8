// The "Options" page's behaviour: the order of a connection's two
// operations, the controls that are live while either of two boxes is
// ticked, the archive folder and its subfolders, and the event log viewer.
// The page's flags, password and folder are bindings of its definition.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "admin/entry_rules.h"
#include "admin/folder_choice.h"
#include "admin/options_ids.h"
#include "admin/settings_page.h"
#include "frame/install_folder.h"
#include "frame/paths.h"
#include "frame/profile.h"
#include "ui/message_box.h"

namespace admin {
namespace {

constexpr ui::Tip kOptionTips[] = {
    {IDC_OPT_PASSWORD, "Password that must appear in admin messages"},
    {IDC_OPT_ARCHIVE_IN, "Save a copy of incoming mail"},
    {IDC_OPT_VIEW_LOG, "View the event log file"},
    {IDC_OPT_SET_FOLDER, "Set the location of the archive folder"},
    {IDC_OPT_SWAP, "Change order of online operations"},
    {IDC_OPT_ARCHIVE_OUT, "Save a copy of outgoing mail"},
    {IDC_OPT_CONNECT_START, "Exchange mail when server started"},
    {IDC_OPT_LOG_FILE, "Save event log to a file"},
    {IDC_OPT_TIPS, "Disable me"},
    {IDC_OPT_ADMIN_LOCAL, "Local users can send admin commands"},
    {IDC_OPT_ADMIN_ANYONE, "Anyone can send admin commands"},
    {IDC_OPT_WARN, "Email postmaster if connection fails"},
    {IDC_OPT_SHOW_PASSWORD, "Shows or hides the password"},
    {IDC_OPT_FIRST, "Operation to perform first"},
    {IDC_OPT_SECOND, "Operation to perform second"},
};
// In the order Apply writes them (after the order of operations).
constexpr ui::Binding kOptionBindings[] = {
    ui::check(IDC_OPT_CONNECT_START, cfg::kConnectOnStartup),
    ui::check(IDC_OPT_ARCHIVE_IN, cfg::kArchiveIncoming),
    ui::check(IDC_OPT_ARCHIVE_OUT, cfg::kArchiveOutgoing),
    ui::check(IDC_OPT_LOG_FILE, cfg::kEventLogUse),
    ui::check(IDC_OPT_TIPS, cfg::kTooltipsUse),
    ui::check(IDC_OPT_ADMIN_LOCAL, cfg::kRadmInternal),
    ui::check(IDC_OPT_WARN, cfg::kWarnOnConnectFail),
    ui::check(IDC_OPT_ADMIN_ANYONE, cfg::kRadmExternal),
    ui::secret(IDC_OPT_PASSWORD, cfg::kRadmPassword),
    ui::text(IDC_OPT_FOLDER, cfg::kArchiveFolder),
};

constexpr char kSendMail[] = "Send mail";
constexpr char kCollectMail[] = "Collect mail";

class OptionsPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        bool sendFirst = util::read(cfg::kSendFirst) == 1;
        showOrder(sendFirst ? kSendMail : kCollectMail, sendFirst ? kCollectMail : kSendMail);
        enableEitherWay();
        button(IDC_OPT_CONNECT_START).focus();
        return false;
    }

    void onUserCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        switch (id) {
        case IDC_OPT_ADMIN_LOCAL:
        case IDC_OPT_ADMIN_ANYONE:
        case IDC_OPT_ARCHIVE_IN:
        case IDC_OPT_ARCHIVE_OUT:
            enableEitherWay();
            break;
        case IDC_OPT_SHOW_PASSWORD:
            edit(IDC_OPT_PASSWORD).mask(!button(IDC_OPT_SHOW_PASSWORD).checked());
            break;
        case IDC_OPT_SWAP:
            showOrder(item(IDC_OPT_SECOND).text(), item(IDC_OPT_FIRST).text());
            changed();
            break;
        case IDC_OPT_SET_FOLDER:
            if (auto folder = chooseSettingsFolder(hwnd_)) {
                item(IDC_OPT_FOLDER).setText(*folder);
                changed();
            }
            break;
        case IDC_OPT_VIEW_LOG:
            viewLog();
            break;
        default:
            break;
        }
    }

    // The order first, then the bound settings; then the archive's
    // subfolders, whether archiving is on or not.
    bool onApply() override {
        util::write(cfg::kSendFirst, item(IDC_OPT_FIRST).text() == kSendMail ? 1 : 0);
        saveBindings();
        std::string folder = item(IDC_OPT_FOLDER).text();
        if (!folder.empty()) {
            CreateDirectoryA(folder.c_str(), nullptr);
            CreateDirectoryA(subfolder(folder, "in").c_str(), nullptr);
            CreateDirectoryA(subfolder(folder, "out").c_str(), nullptr);
        }
        return true;
    }

private:
    void showOrder(const std::string& first, const std::string& second) const {
        item(IDC_OPT_FIRST).setText(first);
        item(IDC_OPT_SECOND).setText(second);
    }

    // The password while either kind of remote administration is allowed;
    // "Set Folder" while either archive is kept.
    void enableEitherWay() const {
        bool administered = button(IDC_OPT_ADMIN_LOCAL).checked() || button(IDC_OPT_ADMIN_ANYONE).checked();
        for (int id : {IDC_OPT_PASSWORD, IDC_OPT_PASSWORD_LABEL, IDC_OPT_SHOW_PASSWORD}) item(id).enable(administered);
        item(IDC_OPT_SET_FOLDER).enable(button(IDC_OPT_ARCHIVE_IN).checked() || button(IDC_OPT_ARCHIVE_OUT).checked());
    }

    void viewLog() const {
        std::string log = util::eventLogPathFor(util::installFolder(), false);
        if (!util::pathExists(log)) {
            ui::showWarning(hwnd_, "You do not have an event log");
            return;
        }
        ShellExecuteA(hwnd_, "open", log.c_str(), nullptr, util::installFile(util::kEventLogFolder).c_str(), SW_SHOWNORMAL);
    }
};

}  // namespace

const PageDefinition pages::options{
    {.dialog = IDD_PAGE_OPTIONS, .tips = kOptionTips, .bindings = kOptionBindings},
    behaviour<OptionsPage>};

}  // namespace admin
