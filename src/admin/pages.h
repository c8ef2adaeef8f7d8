// The pages of the "Server Settings" sheet, made from the sheet's table.
#pragma once

#include <memory>
#include <span>

#include "admin/settings_page.h"

namespace admin {

struct PageInfo {
    const char* title;
    int dialog;
    const char* helpTopic;
};

std::unique_ptr<SettingsPage> makeIncomingPage(const PageInfo& info);
std::unique_ptr<SettingsPage> makeOutgoingPage(const PageInfo& info);

// A page whose controls are shown and whose tips are answered, while its
// settings are still written by the server's other tools.
std::unique_ptr<SettingsPage> makeTemplatePage(const PageInfo& info);

}  // namespace admin
