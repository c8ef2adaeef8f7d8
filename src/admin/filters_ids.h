// "Filters" of the Routing page: a new filter's name and the mail it
// applies to, or (address mode) an e-mail address.
#pragma once

#define IDD_FILTERS 203
#define IDC_FILTERS_INTERNAL      1000
#define IDC_FILTERS_EXTERNAL      1001
#define IDC_FILTERS_ALL           1002
#define IDC_FILTERS_PROMPT        1195
#define IDC_FILTERS_TEXT          1196
#define IDC_FILTERS_APPLIES_LABEL 1197
