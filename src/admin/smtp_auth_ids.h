// "SMTP Authentication" of the Outgoing page.
#pragma once

#define IDD_SMTP_AUTH 280
#define IDC_AUTH_ACCOUNT   1003
#define IDC_AUTH_PASSWORD  1004
#define IDC_AUTH_SHOW      1015
