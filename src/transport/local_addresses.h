// The machine's own IP addresses, for the Ports page and the setup wizard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace util {

// The machine's addresses in dotted form; when TCP networking is missing or
// fails, an "Error" message box owned by owner says so and the list is
// empty. The sockets library is "wsock32" unless another is named.
std::vector<std::string> localAddresses(HWND owner, const char* socketsLibrary = "wsock32");

// Appends them to the combo box (its parent owns the message boxes).
void listLocalAddresses(HWND combo, const char* socketsLibrary = "wsock32");

}  // namespace util
