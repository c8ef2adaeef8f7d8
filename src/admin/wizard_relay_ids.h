// The setup wizard's third page: the provider's SMTP relay.
#pragma once

#define IDD_WIZARD_RELAY 118
#define IDC_WREL_HOST     1003
#define IDC_WREL_PORT     1004
#define IDC_WREL_SHOW_PW  1015
#define IDC_WREL_AUTH     1088
#define IDC_WREL_PASSWORD 1092
#define IDC_WREL_USER     1093
#define IDC_WREL_TLS      1103
#define IDC_WREL_LBL_USER     1110
#define IDC_WREL_LBL_PASSWORD 1111
#define IDC_WREL_LBL_LOGIN    1112
#define IDC_WREL_LOGIN        1113
#define IDC_WREL_SIGN_IN      1114
