// "Auto Email" (dialog 216): the editor of one reminder, opened by the
// Reminders page for a new reminder or for the selected one.
#pragma once

#include <windows.h>

#include "reminders/reminder_rules.h"
#include "ui/modal.h"

namespace admin {

extern const ui::WindowDefinition kAutoEmailDialog;

// Runs the editor modally. A new reminder starts from the editor's defaults
// and after Save is the record made from the fields, every other field 0;
// an existing one shows its values and after Save takes the fields' values,
// keeping the stamp of its last sending and its next due day. False when
// cancelled: the record is untouched.
bool editReminder(HWND owner, util::ReminderRecord& record, bool isNew);

}  // namespace admin
