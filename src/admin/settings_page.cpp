#include "admin/settings_page.h"

#include "frame/help_topics.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "utilities.h"
#include "ui/message_box.h"

namespace admin {

bool SettingsPage::onStart() {
    ui::centreOnScreen(sheet());
    picture(IDC_PAGE_ICON).setIcon(LoadIconA(ui::moduleInstance(), MAKEINTRESOURCEA(row_.icon)));
    bound_.load(hwnd_);
    bool defaultFocus = onOpen();
    refreshEnabling();
    return defaultFocus;
}

void SettingsPage::onSetActive() { SetForegroundWindow(sheet()); }

void SettingsPage::refreshEnabling() const {
    bound_.applyRules(hwnd_, [this](int control) { return allows(control); });
}

void SettingsPage::openHelp() const { ui::openHelpTopic(hwnd_, row_.help); }

void SettingsPage::onControl(int id, int code) {
    if (bound_.isChange(id, code)) changed();
    if (code == BN_CLICKED && !row_.rules.empty()) refreshEnabling();
    onUserCommand(id, code);
}

std::optional<ui::Refusal> SettingsPage::validate() {
    for (const FieldCheck& c : row_.checks) {
        ui::Window control = item(c.control);
        if (!control.enabled()) continue;
        if (!c.accepts(control.text())) return ui::Refusal{c.message, c.control, c.selectText};
    }
    return check();
}

bool SettingsPage::onApply() {
    saveBindings();
    return write();
}

std::vector<std::string> accountNames() {
    std::vector<std::string> names = util::readFamily(cfg::kAccountName, cfg::kMaxAccounts);
    std::erase(names, std::string());
    return names;
}

std::unique_ptr<SettingsPage> makePage(const PageRow& row) {
    return row.behaviour ? row.behaviour(row) : std::make_unique<SettingsPage>(row);
}

}  // namespace admin
