#include "admin/machine_addresses.h"

#include "transport/local_addresses.h"
#include "ui/message_box.h"

namespace admin {

std::vector<std::string> machineAddresses(HWND owner, const char* socketsLibrary) {
    util::LocalAddresses found = util::localAddresses(socketsLibrary);
    if (!found.error.empty()) ui::showError(owner, found.error);
    return std::move(found.addresses);
}

void listMachineAddresses(HWND combo, const char* socketsLibrary) {
    for (const std::string& address : machineAddresses(GetParent(combo), socketsLibrary))
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(address.c_str()));
}

}  // namespace admin
