// "Select Users": the users an outgoing option applies to.
#pragma once

#define IDD_SELECT_USERS 256
#define IDC_SEL_USERS      1005
#define IDC_SEL_SELECTED   1006
#define IDC_SEL_ADD_ALL    1007
#define IDC_SEL_ADD        1008
#define IDC_SEL_REMOVE     1009
#define IDC_SEL_REMOVE_ALL 1010
#define IDC_SEL_TITLE      1072
