// "Mailbox Details" (dialog 158): the mailbox accounts, added, edited and
// removed one at a time, each change checked against the account rules and
// written at Save. ShowMboxConfig runs it.
#pragma once

#include <windows.h>

#include "ui/modal.h"

namespace admin {

extern const ui::WindowDefinition kMailboxDetailsDialog;

// Runs the dialog modally; 1 after Close.
int runMailboxDetails(HWND owner);

}  // namespace admin
