#include "admin/window_list.h"

#include "admin/accounts_dialog.h"
#include "admin/advanced_pop_dialog.h"
#include "admin/convert_domains_dialog.h"
#include "admin/auto_email_dialog.h"
#include "admin/connection_times_dialog.h"
#include "admin/outgoing_dialogs.h"
#include "admin/routing_dialogs.h"
#include "admin/settings_page.h"
#include "admin/setup_wizard.h"
#include "monitor/mail_viewer.h"
#include "monitor/select_destination.h"

namespace admin {
namespace {

NamedControls namedBy(const ui::WindowDefinition& window) {
    NamedControls named{window.dialog, {}};
    auto& ids = named.controls;
    for (const ui::Tip& tip : window.tips) ids.push_back(tip.control);
    for (const ui::Binding& b : window.bindings) {
        ids.push_back(b.control);
        if (b.spin) ids.push_back(b.spin);
        if (b.writtenWhile) ids.push_back(b.writtenWhile);
        for (const ui::RadioChoice& c : b.choices) ids.push_back(c.control);
    }
    for (const ui::EnableRule& rule : window.rules) {
        ids.push_back(rule.when);
        ids.insert(ids.end(), rule.controls.begin(), rule.controls.end());
    }
    for (const ui::FieldCheck& c : window.checks) ids.push_back(c.control);
    return named;
}

}  // namespace

std::vector<NamedControls> administrationWindows() {
    std::vector<NamedControls> windows;
    // The settings pages, then the wizard's.
    for (std::span<const PageRow> table : {pageTable(), wizardPageTable()}) {
        for (const PageRow& page : table) windows.push_back(namedBy(page.window));
    }
    // The dialogs, one a line.
    const ui::WindowDefinition* dialogs[] = {
        &kAdvancedPopDialog,
        &kSmtpAuthDialog,
        &kSelectUsersDialog,
        &kConvertDomainsDialog,
        &kAutoEmailDialog,
        &kFiltersDialog,
        &kSelectChoiceDialog,
        &kAutoPrintingDialog,
        &kRelayOptionsDialog,
        &kConnectionTimesDialog,
        &kMailboxDetailsDialog,
        &monitor::kMailViewerWindow,
        &monitor::kSelectDestinationDialog,
        &kClientInformationDialog,
    };
    for (const ui::WindowDefinition* dialog : dialogs)
        windows.push_back(namedBy(*dialog));
    return windows;
}

}  // namespace admin
