// "Mailbox Viewer": the folders, their messages, one message shown, and
// the buttons that act on the selected messages.
#pragma once

#define IDD_MAIL_VIEWER 160
#define IDC_VIEW_TREE       1035
#define IDC_VIEW_LIST       1050
#define IDC_VIEW_FROM       1090
#define IDC_VIEW_TO         1092
#define IDC_VIEW_TEXT       1093
#define IDC_VIEW_FROM_LABEL 1097
#define IDC_VIEW_TO_LABEL   1098
#define IDC_VIEW_CLOSE      1099
#define IDC_VIEW_STATUS     1100
#define IDC_VIEW_HELP       1104
#define IDC_VIEW_EDIT       1105
#define IDC_VIEW_DELETE     3
#define IDC_VIEW_HOLD       4
#define IDC_VIEW_TRANSFER   5
#define IDC_VIEW_HEADER     6
#define IDC_VIEW_REFRESH    7
#define IDC_VIEW_PRINT      9

// The tree's two folder pictures (empty, holding mail) and the six message
// states, 20 pixels each, with their masks.
#define IDB_VIEW_FOLDERS      301
#define IDB_VIEW_FOLDERS_MASK 302
#define IDB_VIEW_STATES       303
#define IDB_VIEW_STATES_MASK  304
