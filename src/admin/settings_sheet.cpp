// ShowMainConfig: the modal "Server Settings" sheet with its sixteen pages.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <array>
#include <memory>

#include "admin/pages.h"
#include "admin/tooltips.h"
#include "frame/export_guard.h"
#include "resources/resource_ids.h"
#include "utilities.h"

namespace admin {
namespace {

using Factory = std::unique_ptr<SettingsPage> (*)(const PageInfo&);

struct SheetPage {
    PageInfo info;
    Factory make;
};

// In the sheet's order: index 0 to 15.
constexpr std::array<SheetPage, 16> kPages{{
    {{"Domain", IDD_PAGE_DOMAIN, "tarnmail.chm::domains.htm"}, makeTemplatePage},
    {{"Dialup", IDD_PAGE_DIALUP, "tarnmail.chm::dialup.htm"}, makeTemplatePage},
    {{"Outgoing", IDD_PAGE_OUTGOING, "tarnmail.chm::outgoing.htm"}, makeOutgoingPage},
    {{"Incoming", IDD_PAGE_INCOMING, "tarnmail.chm::incoming.htm"}, makeIncomingPage},
    {{"Anti-Spam", IDD_PAGE_ANTISPAM, "tarnmail.chm::spam.htm"}, makeTemplatePage},
    {{"Schedule", IDD_PAGE_SCHEDULE, "tarnmail.chm::schedule.htm"}, makeTemplatePage},
    {{"Reminders", IDD_PAGE_REMINDERS, "tarnmail.chm::reminder.htm"}, makeTemplatePage},
    {{"Routing", IDD_PAGE_ROUTING, "tarnmail.chm::routing.htm"}, makeTemplatePage},
    {{"Password", IDD_PAGE_PASSWORD, "tarnmail.chm::password.htm"}, makeTemplatePage},
    {{"Address Lists", IDD_PAGE_ADDRESS_LISTS, "tarnmail.chm::address lists.htm"}, makeTemplatePage},
    {{"Aliases", IDD_PAGE_ALIASES, "tarnmail.chm::aliases.htm"}, makeTemplatePage},
    {{"Foot Note", IDD_PAGE_FOOTNOTE, "tarnmail.chm::footnote.htm"}, makeTemplatePage},
    {{"Scanner", IDD_PAGE_SCANNER, "tarnmail.chm::snooper.htm"}, makeTemplatePage},
    {{"Attachments", IDD_PAGE_ATTACHMENTS, "tarnmail.chm::attachments.htm"}, makeTemplatePage},
    {{"Ports", IDD_PAGE_PORTS, "tarnmail.chm::ports.htm"}, makeTemplatePage},
    {{"Options", IDD_PAGE_OPTIONS, "tarnmail.chm::options.htm"}, makeTemplatePage},
}};

// The sheet's window, recorded by the callback; one sheet at a time.
constinit HWND sheetWindow = nullptr;

int CALLBACK sheetCallback(HWND window, UINT message, LPARAM) {
    if (message == PSCB_INITIALIZED) {
        sheetWindow = window;
        registerForTips(window, 2, 0);
    }
    return 0;
}

int showMainConfig(HWND owner, int startPage) {
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    std::array<std::unique_ptr<SettingsPage>, kPages.size()> pages;
    std::array<PROPSHEETPAGEA, kPages.size()> descriptions{};
    for (std::size_t i = 0; i < kPages.size(); ++i) {
        pages[i] = kPages[i].make(kPages[i].info);
        descriptions[i] = pages[i]->describe();
    }

    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_HASHELP;
    header.hwndParent = owner;
    header.hInstance = moduleInstance();
    header.pszCaption = "Server Settings";
    header.nPages = static_cast<UINT>(descriptions.size());
    header.nStartPage = (startPage >= 0 && startPage < static_cast<int>(kPages.size())) ? static_cast<UINT>(startPage) : 0;
    header.ppsp = descriptions.data();
    header.pfnCallback = sheetCallback;

    sheetWindow = nullptr;
    PropertySheetA(&header);
    HWND closed = sheetWindow;
    sheetWindow = nullptr;
    return unregisterForTips(closed);
}

}  // namespace
}  // namespace admin

extern "C" int UTILAPI ShowMainConfig(HWND owner, int startPage) {
    return util::guarded(0, [&] { return admin::showMainConfig(owner, startPage); });
}
