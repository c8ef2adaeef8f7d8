// The Incoming page: provider POP3 mailboxes and undeliverable mail.
#pragma once

#define IDD_PAGE_INCOMING 106
#define IDC_IN_SERVER       1003
#define IDC_IN_PORT         1004
#define IDC_IN_LIST         1005
#define IDC_IN_ADD          1006
#define IDC_IN_DELETE       1007
#define IDC_IN_UP           1008
#define IDC_IN_DOWN         1009
#define IDC_IN_EDIT         1010
#define IDC_IN_SAVE         1011
#define IDC_IN_CANCEL       1012
#define IDC_IN_COPY_ALL     1013
#define IDC_IN_KILL         1014
#define IDC_IN_SHOW_PW      1015
#define IDC_IN_REMOVE_MAIL  1016
#define IDC_IN_EXTENSIONS   1017
#define IDC_IN_ROUTE        1018
#define IDC_IN_RECIPIENT    1019
#define IDC_IN_BOUNCE       1020
#define IDC_IN_ADVANCED     1021
#define IDC_IN_USER         1026
#define IDC_IN_PASSWORD     1027
#define IDC_IN_ACTIVE       1029
#define IDC_IN_PORT_SPIN    1046
#define IDC_IN_BYPASS       1052
#define IDC_IN_BYPASS_USER  1053
#define IDC_IN_LBL_SERVER   1100
#define IDC_IN_LBL_PORT     1101
#define IDC_IN_LBL_USER     1102
#define IDC_IN_LBL_PASSWORD 1103
#define IDC_IN_LBL_TLS      1104
#define IDC_IN_TLS          1105
#define IDC_IN_LBL_LOGIN    1106
#define IDC_IN_LOGIN        1107
#define IDC_IN_SIGN_IN      1108
