// The setup wizard's fourth page: the provider's POP3 mailbox.
#pragma once

#define IDD_WIZARD_MAILBOX 119
#define IDC_WPOP_SERVER      1003
#define IDC_WPOP_PORT        1004
#define IDC_WPOP_SHOW_PW     1015
#define IDC_WPOP_REMOVE_MAIL 1016
#define IDC_WPOP_USER        1026
#define IDC_WPOP_PASSWORD    1027
#define IDC_WPOP_TLS         1105
#define IDC_WPOP_LBL_PASSWORD 1106
#define IDC_WPOP_LBL_LOGIN   1107
#define IDC_WPOP_LOGIN       1108
#define IDC_WPOP_SIGN_IN     1109
