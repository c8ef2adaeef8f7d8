// "Auto Printing": whether a filter that prints a message prints its header.
#pragma once

#define IDD_AUTO_PRINTING 222
#define IDC_PRINT_HEADER 1004
