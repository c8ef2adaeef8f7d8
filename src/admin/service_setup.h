// Starting the mail server as a service of the system: Service.exe in the
// install folder does the work, told what to run by Service.ini beside it.
#pragma once

#include <windows.h>

namespace admin {

enum class ServiceRequest { Install, Uninstall };

// Writes Service.ini, runs Service.exe hidden with "/i" or "/u" and tells
// the administrator the outcome in a message box owned by owner. Installing
// also stops the server starting from the machine's Run key.
void requestService(HWND owner, ServiceRequest request);

}  // namespace admin
