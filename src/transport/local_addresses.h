// The machine's own IP addresses, for the Ports page and the setup wizard.
#pragma once

#include <windows.h>

namespace util {

// Appends the machine's addresses in dotted form to the combo box; shows
// an "Error" message box (owned by the combo box's parent) when TCP
// networking is missing or fails. The sockets library is "wsock32" unless
// another is named.
void listLocalAddresses(HWND combo, const char* socketsLibrary = "wsock32");

}  // namespace util
