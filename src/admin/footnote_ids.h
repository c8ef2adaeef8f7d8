// The Foot Note page: text added to outgoing mail.
#pragma once

#define IDD_PAGE_FOOTNOTE 111
#define IDC_FOOT_TEXT 1003
#define IDC_FOOT_ENABLE 1004
