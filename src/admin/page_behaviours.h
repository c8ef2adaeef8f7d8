// The pages with logic that their table row cannot express.
#pragma once

#include <memory>

#include "admin/settings_page.h"

namespace admin {

std::unique_ptr<SettingsPage> makeIncomingPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeOutgoingPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeAntiSpamPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeScannerPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeFootNotePage(const PageRow& row);
std::unique_ptr<SettingsPage> makePasswordPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeAddressListsPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeAliasesPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeDomainPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeRemindersPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeRoutingPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeDialupPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeSchedulePage(const PageRow& row);
std::unique_ptr<SettingsPage> makeOptionsPage(const PageRow& row);
std::unique_ptr<SettingsPage> makePortsPage(const PageRow& row);
std::unique_ptr<SettingsPage> makeAttachmentsPage(const PageRow& row);

}  // namespace admin
