// The machine's own IP addresses, for the Ports page and the setup wizard.
#pragma once

#include <windows.h>

namespace util {

// Appends the machine's addresses in dotted form to the combo box; shows
// an "Error" message box when TCP networking is missing or fails.
void listLocalAddresses(HWND combo);

}  // namespace util
