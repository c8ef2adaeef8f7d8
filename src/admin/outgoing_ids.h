// The Outgoing page: provider SMTP relays and options for outgoing mail.
#pragma once

#define IDD_PAGE_OUTGOING 105
#define IDC_OUT_HOST        1003
#define IDC_OUT_PORT        1004
#define IDC_OUT_LIST        1005
#define IDC_OUT_ADD         1006
#define IDC_OUT_DELETE      1007
#define IDC_OUT_SENDER      1008
#define IDC_OUT_UP          1009
#define IDC_OUT_DOWN        1010
#define IDC_OUT_SAVE        1011
#define IDC_OUT_CANCEL      1012
#define IDC_OUT_SIZE_KB     1013
#define IDC_OUT_COPY_USERS  1014
#define IDC_OUT_USE_NEXT    1015
#define IDC_OUT_CHANGE_FROM 1016
#define IDC_OUT_INSIDE      1017
#define IDC_OUT_REDIR_USERS 1018
#define IDC_OUT_REDIR       1022
#define IDC_OUT_SIZE        1023
#define IDC_OUT_KBYTES      1024
#define IDC_OUT_SIZE_USERS  1025
#define IDC_OUT_PORT_SPIN   1046
#define IDC_OUT_SIZE_SPIN   1047
#define IDC_OUT_COPY        1052
#define IDC_OUT_COPY_USER   1053
#define IDC_OUT_REDIR_USER  1054
#define IDC_OUT_SENDER_LBL  1071
#define IDC_OUT_AUTH        1088
#define IDC_OUT_AUTH_SET    1089
#define IDC_OUT_LBL_HOST    1100
#define IDC_OUT_LBL_PORT    1101
#define IDC_OUT_LBL_TLS     1102
#define IDC_OUT_TLS         1103
