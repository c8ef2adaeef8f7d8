// RunWizard: "Server Settings" in wizard mode, its five pages registered
// for tips while it is open; a finished wizard goes on to "Mail Client
// Information".
#include "admin/setup_wizard.h"

#include "frame/export_guard.h"
#include "utilities.h"

namespace admin {
namespace {

int runWizard(HWND owner) {
    WizardState state;
    std::vector<std::unique_ptr<SettingsPage>> pages = makeWizardPages(state);
    std::vector<PROPSHEETPAGEA> descriptions;
    for (auto& page : pages) descriptions.push_back(page->describe());
    ui::SheetOptions options;
    options.owner = owner;
    options.caption = "Server Settings";
    options.wizard = true;
    ui::SheetResult result = ui::runSheet(options, descriptions);
    if (state.cancelled || result.sheet <= 0) return 0;
    runClientInformation(owner);
    return 1;
}

}  // namespace
}  // namespace admin

extern "C" int UTILAPI RunWizard(HWND owner) {
    return util::guarded(0, [&] { return admin::runWizard(owner); });
}
