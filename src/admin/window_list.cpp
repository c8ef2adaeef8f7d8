#include "admin/window_list.h"

#include "accounts/accounts_dialog.h"
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

NamedControls namedBy(int dialog, std::span<const ui::Tip> tips, std::span<const ui::Binding> bindings,
                      std::span<const ui::EnableRule> rules) {
    NamedControls named{dialog, {}};
    auto& ids = named.controls;
    for (const ui::Tip& tip : tips) ids.push_back(tip.control);
    for (const ui::Binding& b : bindings) {
        ids.push_back(b.control);
        if (b.spin) ids.push_back(b.spin);
        if (b.writtenWhile) ids.push_back(b.writtenWhile);
        for (const ui::RadioChoice& c : b.choices) ids.push_back(c.control);
    }
    for (const ui::EnableRule& rule : rules) {
        ids.push_back(rule.when);
        ids.insert(ids.end(), rule.controls.begin(), rule.controls.end());
    }
    return named;
}

}  // namespace

std::vector<NamedControls> administrationWindows() {
    std::vector<NamedControls> windows;
    // The settings pages, then the wizard's.
    for (std::span<const PageRow> table : {pageTable(), wizardPageTable()}) {
        for (const PageRow& page : table) {
            windows.push_back(namedBy(page.dialog, page.tips, page.bindings, page.rules));
            for (const FieldCheck& c : page.checks) windows.back().controls.push_back(c.control);
        }
    }
    // The dialogs, one a line.
    const ui::DialogDefinition* dialogs[] = {
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
        &util::kMailboxDetailsDialog,
        &monitor::kMailViewerWindow,
        &monitor::kSelectDestinationDialog,
        &kClientInformationDialog,
    };
    for (const ui::DialogDefinition* dialog : dialogs)
        windows.push_back(namedBy(dialog->dialog, dialog->tips, dialog->bindings, dialog->rules));
    return windows;
}

}  // namespace admin
