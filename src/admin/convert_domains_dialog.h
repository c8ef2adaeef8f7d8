// "Convert Domains" of the Domain page (dialog 102): a domain, the domain
// it becomes and the mail the conversion applies to, as one line of the
// page's conversion table.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "ui/modal.h"

namespace admin {

extern const ui::WindowDefinition kConvertDomainsDialog;

// The conversion's line; nothing when cancelled.
std::optional<std::string> runConvertDomainsDialog(HWND owner);

}  // namespace admin
