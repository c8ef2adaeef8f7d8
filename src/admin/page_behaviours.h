// The pages whose Part has logic that their table row cannot express.
#pragma once

#include <memory>

#include "admin/settings_page.h"

namespace admin {

std::unique_ptr<SettingsPage> makeIncomingPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeOutgoingPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeAntiSpamPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeScannerPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeFootNotePage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makePasswordPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeAddressListsPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeAliasesPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeDomainPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeRemindersPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeRoutingPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeDialupPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeSchedulePage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeOptionsPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makePortsPage(const PageSpec& spec);
std::unique_ptr<SettingsPage> makeAttachmentsPage(const PageSpec& spec);

}  // namespace admin
