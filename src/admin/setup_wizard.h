// The setup wizard (RunWizard): five pages in wizard mode that take a new
// installation to working mail, then "Mail Client Information".
#pragma once

#include <windows.h>

#include <memory>
#include <span>
#include <vector>

#include "admin/settings_page.h"
#include "ui/modal.h"

namespace admin {

// What the pages share during one run.
struct WizardState {
    bool cancelled = false;     // Cancel on any page
    bool internalOnly = false;  // the connection page chose internal mail only
};

// The five pages as rows: domain, connection, relay, mailbox, first user.
std::span<const PageRow> wizardPageTable();

// The pages of one run, in order.
std::vector<std::unique_ptr<SettingsPage>> makeWizardPages(WizardState& state);

// "Mail Client Information": what the office's mail clients need, with Close
// and Print.
extern const ui::WindowDefinition kClientInformationDialog;
void runClientInformation(HWND owner);

}  // namespace admin
