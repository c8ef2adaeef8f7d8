// "Advanced Options" of the Incoming page (dialog 150): the download size
// limit in section advpop, written at once on its own OK.
#pragma once

#include <windows.h>

#include "ui/modal.h"

namespace admin {

extern const ui::WindowDefinition kAdvancedPopDialog;

INT_PTR runAdvancedPopDialog(HWND owner);

}  // namespace admin
