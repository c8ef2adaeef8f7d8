// The setup wizard's last page: the first user's mailbox.
#pragma once

#define IDD_WIZARD_USER 263
#define IDC_WUSR_NAME     1003
#define IDC_WUSR_ADDRESS  1004
#define IDC_WUSR_USER     1005
#define IDC_WUSR_PASSWORD 1006
#define IDC_WUSR_SHOW_PW  1015
#define IDC_WUSR_DOMAIN   1084
