#include "admin/settings_page.h"

#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "ui/message_box.h"
#include "utilities.h"

namespace admin {

bool SettingsPage::onStart() {
    ui::centreOnScreen(sheet());
    picture(IDC_PAGE_ICON).setIcon(LoadIconA(ui::moduleInstance(), MAKEINTRESOURCEA(row_.icon)));
    loadBindings();
    bool defaultFocus = onOpen();
    refreshEnabling();
    return defaultFocus;
}

void SettingsPage::onSetActive() { SetForegroundWindow(sheet()); }

void SettingsPage::refreshEnabling() const {
    applyRules([this](int control) { return allows(control); });
}

void SettingsPage::openHelp() const { ui::openHelpTopic(hwnd_, row_.help); }

void SettingsPage::onControl(int id, int code) {
    if (isBoundChange(id, code)) changed();
    if (code == BN_CLICKED && !row_.window.rules.empty()) refreshEnabling();
    onUserCommand(id, code);
}

std::optional<ui::Refusal> SettingsPage::validate() {
    if (std::optional<ui::Refusal> refusal = checkFields()) return refusal;
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

namespace {

#define UTIL_PAGE_DEFINITION(name, title, icon, help) &pages::name,
constinit const PageDefinition* const kDefinitions[] = {UTIL_SETTINGS_PAGES(UTIL_PAGE_DEFINITION)};
#undef UTIL_PAGE_DEFINITION

#define UTIL_PAGE_ROW(name, title, icon, help) {title, icon, help, pages::name.window},
constinit const PageRow kRows[] = {UTIL_SETTINGS_PAGES(UTIL_PAGE_ROW)};
#undef UTIL_PAGE_ROW

}  // namespace

std::span<const PageRow> pageTable() { return kRows; }

std::unique_ptr<SettingsPage> makePage(std::size_t index) {
    const PageDefinition& page = *kDefinitions[index];
    return page.behaviour ? page.behaviour(kRows[index]) : std::make_unique<SettingsPage>(kRows[index]);
}

}  // namespace admin
