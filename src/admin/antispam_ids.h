// The Anti-Spam page: the black and white lists and what happens to spam.
#pragma once

#define IDD_PAGE_ANTISPAM 261
#define IDC_SPAM_DELETE 1000
#define IDC_SPAM_PREFIX 1001
#define IDC_SPAM_BLACK 1003
#define IDC_SPAM_ENABLE 1004
#define IDC_SPAM_WHITE 1005
#define IDC_SPAM_ARCHIVE 1015
#define IDC_SPAM_BLACK_LABEL 1074
#define IDC_SPAM_ACTION_GROUP 1075
#define IDC_SPAM_WHITE_LABEL 1076
