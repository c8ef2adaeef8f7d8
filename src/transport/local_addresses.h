// The machine's own IP addresses, for the Ports page and the setup wizard.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace util {

// The machine's addresses in dotted form, found through wsock32 loaded by
// name; when TCP networking is missing or fails, an "Error" message box
// owned by owner says so and the list is empty.
std::vector<std::string> localAddresses(HWND owner);

// Appends the machine's addresses to the combo box (the message boxes are
// owned by its window).
void listLocalAddresses(HWND combo);

}  // namespace util
