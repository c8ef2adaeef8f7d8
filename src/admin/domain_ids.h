// The Domain page: the hosted domain and domain conversions.
#pragma once

#define IDD_PAGE_DOMAIN 101
#define IDC_DOM_SINGLE 1000
#define IDC_DOM_MULTI 1001
#define IDC_DOM_NAME_LABEL 1002
#define IDC_DOM_NAME 1003
#define IDC_DOM_EXCLUSIVE 1004
#define IDC_DOM_MAPS 1005
#define IDC_DOM_MAP_ADD 1006
#define IDC_DOM_MAP_DELETE 1007
