// "Select...": one choice of a list too long for a pop-up menu (the
// Routing page's mailboxes and address lists).
#pragma once

#define IDD_SELECT_CHOICE 219
#define IDC_CHOICE_LIST  1005
#define IDC_CHOICE_TITLE 1215
