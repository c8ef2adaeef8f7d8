// The "Enter Information" prompt.
#pragma once

#define IDD_PROMPT 220
#define IDC_PROMPT_TEXT   1195
#define IDC_PROMPT_EDIT   1196
