#include "ui/sheet.h"

#include <commctrl.h>

#include <utility>

#include "ui/tooltips.h"

namespace ui {

PROPSHEETPAGEA Page::describe(const char* title, bool help) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USETITLE | (help ? PSP_HASHELP : 0);
    page.hInstance = moduleInstance();
    page.pszTemplate = MAKEINTRESOURCEA(definition().dialog);
    page.pfnDlgProc = pageProc;
    page.pszTitle = title;
    page.lParam = reinterpret_cast<LPARAM>(static_cast<Dialog*>(this));
    return page;
}

void Page::changed() const {
    if (!loading_) PropSheet_Changed(sheet(), hwnd_);
}

bool Page::onInit() {
    loading_ = true;
    bool defaultFocus = onStart();
    loading_ = false;
    return defaultFocus;
}

bool Page::passes() {
    std::optional<Refusal> refusal = validate();
    if (!refusal) return true;
    refuse(*refusal);
    return false;
}

bool Page::onNotify(const NMHDR& header, LRESULT& result) {
    if (header.hwndFrom != sheet()) return onControlNotify(header, result);
    switch (header.code) {
    case PSN_SETACTIVE:
        onSetActive();
        result = 0;
        return true;
    case PSN_KILLACTIVE:
        // A wizard's Next has checked the page already, and Back leaves it
        // unchecked; the sheet asks again as the page goes.
        result = std::exchange(wizardMoving_, false) || passes() ? FALSE : TRUE;
        return true;
    case PSN_APPLY:
        result = passes() && onApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        return true;
    case PSN_HELP:
        onHelp();
        result = 0;
        return true;
    case PSN_RESET:
        onReset();
        result = 0;
        return true;
    case PSN_WIZNEXT:
        result = passes() ? onWizardNext() : -1;
        wizardMoving_ = result != -1;
        return true;
    case PSN_WIZBACK:
        result = onWizardBack();
        wizardMoving_ = result != -1;
        return true;
    case PSN_WIZFINISH:
        // Nonzero keeps the wizard open.
        result = passes() && onWizardFinish() ? FALSE : TRUE;
        return true;
    default:
        return false;
    }
}

namespace {

// The sheet being shown, recorded by its callback; one sheet at a time.
constinit HWND shownSheet = nullptr;

int CALLBACK sheetCallback(HWND window, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        shownSheet = window;
        registerForTips(window, 2, 0);
    }
    return 0;
}

}  // namespace

SheetResult runSheet(const SheetOptions& options, std::span<PROPSHEETPAGEA> pages) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | (options.help ? PSH_HASHELP : 0) |
                     (options.wizard ? PSH_WIZARD : 0);
    header.hwndParent = options.owner;
    header.hInstance = moduleInstance();
    header.pszCaption = options.caption;
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = options.startPage >= 0 && static_cast<std::size_t>(options.startPage) < pages.size()
                            ? static_cast<UINT>(options.startPage)
                            : 0;
    header.ppsp = pages.data();
    header.pfnCallback = sheetCallback;

    shownSheet = nullptr;
    INT_PTR result = PropertySheetA(&header);
    HWND closed = shownSheet;
    shownSheet = nullptr;
    return {result, unregisterForTips(closed)};
}

}  // namespace ui
