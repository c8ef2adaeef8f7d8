// ShowMainConfig: the modal "Server Settings" sheet, its pages those of the
// list of pages (admin/page_list.h).
#include <windows.h>

#include <memory>
#include <vector>

#include "admin/settings_page.h"
#include "frame/export_guard.h"
#include "utilities.h"

namespace admin {
namespace {

int showMainConfig(HWND owner, int startPage) {
    std::vector<std::unique_ptr<SettingsPage>> pages;
    std::vector<PROPSHEETPAGEA> descriptions;
    for (std::size_t i = 0; i < pageTable().size(); ++i) {
        pages.push_back(makePage(i));
        descriptions.push_back(pages.back()->describe());
    }
    ui::SheetOptions options;
    options.owner = owner;
    options.caption = "Server Settings";
    options.startPage = startPage;
    // What the sheet returned is not passed on: what was applied is in ms.ini.
    return ui::runSheet(options, descriptions).unregister;
}

}  // namespace
}  // namespace admin

extern "C" int UTILAPI ShowMainConfig(HWND owner, int startPage) {
    return util::guarded(0, [&] { return admin::showMainConfig(owner, startPage); });
}
