#include "admin/settings_page.h"

#include "frame/dialog_util.h"
#include "frame/install_folder.h"
#include "utilities.h"

namespace admin {

PROPSHEETPAGEA SettingsPage::describe() {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE | PSP_HASHELP;
    page.hInstance = moduleInstance();
    page.pszTemplate = MAKEINTRESOURCEA(templateId_);
    page.pfnDlgProc = pageProc;
    page.pszTitle = title_;
    page.lParam = reinterpret_cast<LPARAM>(static_cast<Dialog*>(this));
    return page;
}

void SettingsPage::changed() const {
    if (!loading_) PropSheet_Changed(sheet(), hwnd_);
}

bool SettingsPage::onInit() {
    util::centreOnScreen(sheet());
    util::configPath();
    return onStart();
}

void SettingsPage::onCommand(int id, int code) {
    if (isBoundFlag(id)) {
        if (code == BN_CLICKED) changed();
    } else {
        for (const Binding& b : bindings())
            if (b.control == id && b.kind == BindKind::Text && code == EN_CHANGE) changed();
    }
    onControl(id, code);
}

bool SettingsPage::onNotify(const NMHDR& header, LRESULT& result) {
    switch (header.code) {
    case PSN_APPLY:
        result = onApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return true;
    case PSN_HELP:
        RunApp(hwnd_, "hh.exe", helpTopic_);
        result = 0;
        return true;
    case PSN_SETACTIVE:
        onSetActive();
        result = 0;
        return true;
    case PSN_KILLACTIVE:
        result = FALSE;
        return true;
    case PSN_RESET:
        result = 0;
        return true;
    default:
        return false;
    }
}

}  // namespace admin
