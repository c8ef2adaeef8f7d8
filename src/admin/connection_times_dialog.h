// "Connection Times" of the Schedule page (dialog 104): two sets of
// weekdays, each with its own sorted list of times of day, written to
// schedule0 and schedule1 on the dialog's own OK.
#pragma once

#include <windows.h>

#include "ui/modal.h"

namespace admin {

extern const ui::WindowDefinition kConnectionTimesDialog;

// IDOK when the sets were written.
INT_PTR runConnectionTimesDialog(HWND owner);

}  // namespace admin
