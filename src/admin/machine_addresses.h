// The machine's own addresses as the Ports page and "Mail Client
// Information" offer them: when there are none to be had, an "Error" box
// says why.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace admin {

// The addresses, the box owned by owner. The sockets library is "wsock32"
// unless another is named.
std::vector<std::string> machineAddresses(HWND owner, const char* socketsLibrary = "wsock32");

// Appends them to the combo box (its parent owns the box).
void listMachineAddresses(HWND combo, const char* socketsLibrary = "wsock32");

}  // namespace admin
