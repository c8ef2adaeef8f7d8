// "Mailbox Details": the mailbox accounts, and the details of the one
// being added or edited.
#pragma once

#define IDD_MAILBOX_DETAILS 158
#define IDC_MBOX_LIST          1005
#define IDC_MBOX_SAVE          1006
#define IDC_MBOX_ADD           1071
#define IDC_MBOX_EDIT          1072
#define IDC_MBOX_DELETE        1073
#define IDC_MBOX_NAME          1088
#define IDC_MBOX_ADDRESS       1103
#define IDC_MBOX_USER          1104
#define IDC_MBOX_PASSWORD      1109
#define IDC_MBOX_CANCEL        1114
#define IDC_MBOX_SHOW_PASSWORD 1115
#define IDC_MBOX_ENABLED       1116
#define IDC_MBOX_HELP          1150
