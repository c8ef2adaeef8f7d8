// The Password page: the administration password.
#pragma once

#define IDD_PAGE_PASSWORD 113
#define IDC_PWD_PASSWORD 1003
#define IDC_PWD_SHOW 1004
#define IDC_PWD_NEW 1006
#define IDC_PWD_CLEAR 1007
