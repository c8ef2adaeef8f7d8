// The setup wizard's second page: how the server reaches the internet.
#pragma once

#define IDD_WIZARD_CONNECTION 117
#define IDC_WCON_DIALUP        1000
#define IDC_WCON_LAN           1001
#define IDC_WCON_INTERNAL      1002
#define IDC_WCON_INTERVAL      1003
#define IDC_WCON_INTERVAL_SPIN 1047
#define IDC_WCON_CONNECTION    1127
#define IDC_WCON_LBL_CONNECTION 1100
#define IDC_WCON_LBL_EVERY      1101
#define IDC_WCON_LBL_MINUTES    1102
