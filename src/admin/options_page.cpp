// The "Options" page's behaviour: the order of a connection's two
// operations, the controls that are live while either of two boxes is
// ticked, the archive folder and its subfolders, and the event log viewer.
// The page's flags, password and folder are bindings of its row.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "admin/entry_rules.h"
#include "admin/folder_choice.h"
#include "admin/page_behaviours.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "ui/message_box.h"

namespace admin {
namespace {

constexpr char kSendMail[] = "Send mail";
constexpr char kCollectMail[] = "Collect mail";
constexpr char kEventLogFolder[] = "\\event log";
constexpr char kEventLogFile[] = "\\event log\\events.txt";

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
        std::string log = util::installFile(kEventLogFile);
        if (!util::pathExists(log)) {
            ui::showWarning(hwnd_, "You do not have an event log");
            return;
        }
        ShellExecuteA(hwnd_, "open", log.c_str(), nullptr, util::installFile(kEventLogFolder).c_str(), SW_SHOWNORMAL);
    }
};

}  // namespace

std::unique_ptr<SettingsPage> makeOptionsPage(const PageRow& row) { return std::make_unique<OptionsPage>(row); }

}  // namespace admin
