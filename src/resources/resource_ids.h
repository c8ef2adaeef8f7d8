// Resource numbers fixed by the system, and control ids (1000 upward),
// shared by utilities.rc and the code.
#pragma once

// Cursors, icons, bitmaps
#define IDC_HAND_LINK 105

// "Information" message box
#define IDD_INFORMATION 277
#define IDC_INFO_TEXT 1000
#define IDC_INFO_ICON 1001
#define IDC_INFO_FEEDBACK 1002
#define IDC_INFO_PRICES 1003

// ---- Connectivity: the start-up countdown ("Abort Connection") ----
#define IDD_CONNECT_COUNTDOWN 130
#define IDI_CONNECT 131
#define IDC_COUNTDOWN_TEXT 1000
#define IDC_COUNTDOWN_ANIMATION 1001
