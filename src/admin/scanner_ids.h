// The Scanner page: phrases that copy a message to a user.
#pragma once

#define IDD_PAGE_SCANNER 112
#define IDC_SCAN_ENABLE 1004
#define IDC_SCAN_PHRASES 1005
#define IDC_SCAN_ADD 1006
#define IDC_SCAN_DELETE 1007
#define IDC_SCAN_EDIT 1017
#define IDC_SCAN_DEST_LABEL 1031
#define IDC_SCAN_DESTINATION 1050
