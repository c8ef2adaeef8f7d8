// The start-up countdown, "Abort Connection", and its icon.
#pragma once

#define IDD_CONNECT_COUNTDOWN 130
#define IDI_CONNECT 131
#define IDC_COUNTDOWN_TEXT 1000
#define IDC_COUNTDOWN_ANIMATION 1001
