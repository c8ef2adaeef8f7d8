// The administration password asked for before the settings open.
#pragma once

#define IDD_ENTER_PASSWORD 120
#define IDC_PW_EDIT        1003
