// Resource numbers and control ids of the administration windows: the
// settings sheet's sixteen pages, its small dialogs, their images, and the
// tray icon's frames. Control ids are kept per dialog; the same number may
// mean different controls on different dialogs.
#pragma once

// --- Settings pages (dialog templates, in the sheet's order) ---------------
#define IDD_PAGE_DOMAIN        101
#define IDD_PAGE_DIALUP        108
#define IDD_PAGE_OUTGOING      105
#define IDD_PAGE_INCOMING      106
#define IDD_PAGE_ANTISPAM      261
#define IDD_PAGE_SCHEDULE      103
#define IDD_PAGE_REMINDERS     218
#define IDD_PAGE_ROUTING       202
#define IDD_PAGE_PASSWORD      113
#define IDD_PAGE_ADDRESS_LISTS 109
#define IDD_PAGE_ALIASES       110
#define IDD_PAGE_FOOTNOTE      111
#define IDD_PAGE_SCANNER       112
#define IDD_PAGE_ATTACHMENTS   114
#define IDD_PAGE_PORTS         115
#define IDD_PAGE_OPTIONS       125

// --- Page icons ---------------------------------------------------------------
#define IDI_PAGE_DOMAIN        233
#define IDI_PAGE_DIALUP        229
#define IDI_PAGE_OUTGOING      235
#define IDI_PAGE_INCOMING      241
#define IDI_PAGE_ANTISPAM      262
#define IDI_PAGE_SCHEDULE      245
#define IDI_PAGE_REMINDERS     232
#define IDI_PAGE_ROUTING       162
#define IDI_PAGE_PASSWORD      228
#define IDI_PAGE_ADDRESS_LISTS 236
#define IDI_PAGE_ALIASES       231
#define IDI_PAGE_FOOTNOTE      234
#define IDI_PAGE_SCANNER       251
#define IDI_PAGE_ATTACHMENTS   221
#define IDI_PAGE_PORTS         239
#define IDI_PAGE_OPTIONS       246

// --- Tray icon: the eight frames of the animation --------------------------------
#define IDI_TRAY_FIRST 162
#define IDI_TRAY_LAST  169

// --- List bitmaps (image, mask) --------------------------------------------------
#define IDB_POP_ACTIVE   257
#define IDB_POP_MASK     258
#define IDB_POP_INACTIVE 259
#define IDB_RELAY        193
#define IDB_RELAY_MASK   194
#define IDB_USER         198
#define IDB_USER_MASK    200

// --- "Enter Password" (dialog 120) -------------------------------------------
#define IDD_ENTER_PASSWORD 120
#define IDC_PW_EDIT        1003

// --- "Enter Information" prompt (dialog 220) ---------------------------------------
#define IDD_PROMPT        220
#define IDC_PROMPT_TEXT   1195
#define IDC_PROMPT_EDIT   1196

// --- Incoming page (dialog 106) ------------------------------------------------
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

// --- "Advanced Options" (dialog 150) -----------------------------------------
#define IDD_ADVANCED_POP   150
#define IDC_ADV_MBYTES     1002
#define IDC_ADV_SIZE       1003
#define IDC_ADV_USE        1004
#define IDC_ADV_LABEL      1008
#define IDC_ADV_WARNING    1015
#define IDC_ADV_DELETE     1016
#define IDC_ADV_SPIN       1046

// --- Outgoing page (dialog 105) ------------------------------------------------
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

// --- "SMTP Authentication" (dialog 280) --------------------------------------
#define IDD_SMTP_AUTH      280
#define IDC_AUTH_ACCOUNT   1003
#define IDC_AUTH_PASSWORD  1004
#define IDC_AUTH_SHOW      1015

// --- "Select Users" (dialog 256) ---------------------------------------------
#define IDD_SELECT_USERS   256
#define IDC_SEL_USERS      1005
#define IDC_SEL_SELECTED   1006
#define IDC_SEL_ADD_ALL    1007
#define IDC_SEL_ADD        1008
#define IDC_SEL_REMOVE     1009
#define IDC_SEL_REMOVE_ALL 1010
#define IDC_SEL_TITLE      1072
