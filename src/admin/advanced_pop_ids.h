// "Advanced Options" of the Incoming page: the download size limit.
#pragma once

#define IDD_ADVANCED_POP 150
#define IDC_ADV_MBYTES     1002
#define IDC_ADV_SIZE       1003
#define IDC_ADV_USE        1004
#define IDC_ADV_LABEL      1008
#define IDC_ADV_WARNING    1015
#define IDC_ADV_DELETE     1016
#define IDC_ADV_SPIN       1046
