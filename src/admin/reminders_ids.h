// The Reminders page: messages the server sends by itself.
#pragma once

#define IDD_PAGE_REMINDERS 218
#define IDC_REM_LIST 1005
#define IDC_REM_ADD 1006
#define IDC_REM_EDIT 1007
#define IDC_REM_DELETE 1008
#define IDC_REM_SEND_NOW 1009
