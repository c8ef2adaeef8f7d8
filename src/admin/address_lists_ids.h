// The Address Lists page: mailing lists and their addresses.
#pragma once

#define IDD_PAGE_ADDRESS_LISTS 109
#define IDC_AL_LISTS 1005
#define IDC_AL_NEW_LIST 1006
#define IDC_AL_DELETE_LIST 1007
#define IDC_AL_ADDRESSES 1008
#define IDC_AL_ADD_ADDRESS 1009
#define IDC_AL_DELETE_ADDRESS 1010
#define IDC_AL_EDIT_ADDRESS 1011
