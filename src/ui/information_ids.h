// The "Information" box: a message with OK, or Yes and No, and two links.
#pragma once

#define IDD_INFORMATION 277
#define IDC_INFO_TEXT 1000
#define IDC_INFO_ICON 1001
#define IDC_INFO_FEEDBACK 1002
#define IDC_INFO_PRICES 1003
