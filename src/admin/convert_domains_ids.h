// "Convert Domains" of the Domain page: one domain conversion.
#pragma once

#define IDD_CONVERT_DOMAINS 102
#define IDC_CONV_INTERNAL 1000
#define IDC_CONV_EXTERNAL 1001
#define IDC_CONV_ALL      1002
#define IDC_CONV_FROM     1003
#define IDC_CONV_TO       1004
