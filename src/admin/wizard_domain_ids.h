// The setup wizard's first page: the domain.
#pragma once

#define IDD_WIZARD_DOMAIN 116
#define IDC_WDOM_NAME 1003
