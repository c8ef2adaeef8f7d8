// "Relay Options": the changes a relaying filter makes to the SMTP envelope
// and to the message's From: and To: lines.
#pragma once

#define IDD_RELAY_OPTIONS 255
#define IDC_RELAY_SENDER_DOMAIN_OPT    1000
#define IDC_RELAY_SENDER_ADDRESS_OPT   1001
#define IDC_RELAY_RECIPIENT_DOMAIN_OPT 1002
#define IDC_RELAY_SENDER_ADDRESS       1003
#define IDC_RELAY_SENDER               1004
#define IDC_RELAY_FROM_DOMAIN_OPT      1005
#define IDC_RELAY_RECIPIENT_DOMAIN     1006
#define IDC_RELAY_FROM_DOMAIN          1007
#define IDC_RELAY_RECIPIENT_ADDRESS    1008
#define IDC_RELAY_FROM_NAME            1009
#define IDC_RELAY_TO_DOMAIN_OPT        1010
#define IDC_RELAY_TO_DOMAIN            1011
#define IDC_RELAY_TO_NAME              1012
#define IDC_RELAY_RECIPIENT_ADDRESS_OPT 1013
#define IDC_RELAY_FROM_ADDRESS_OPT     1014
#define IDC_RELAY_FROM                 1015
#define IDC_RELAY_TO                   1016
#define IDC_RELAY_TO_ADDRESS_OPT       1017
#define IDC_RELAY_RECIPIENT            1018
#define IDC_RELAY_SENDER_DOMAIN        1019
#define IDC_RELAY_FROM_ADDRESS         1026
#define IDC_RELAY_TO_ADDRESS           1027
