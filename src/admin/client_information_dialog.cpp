// "Mail Client Information": after the setup wizard has finished, what the
// office's mail clients need (the machine's addresses, the first user's
// address, user name and password), to read or print.
#include <windows.h>

#include "accounts/account_rules.h"
#include "admin/setup_wizard.h"
#include "admin/wizard_rules.h"
#include "frame/crypt.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "transport/local_addresses.h"

namespace admin {

const ui::DialogSpec kClientInformationDialog{.dialog = IDD_CLIENT_INFORMATION};

namespace {

constexpr int kFirstUser = 1;

class ClientInformationDialog final : public ui::ModalDialog {
public:
    ClientInformationDialog() : ModalDialog(kClientInformationDialog) {}

protected:
    bool onOpen() override {
        ClientSettings settings;
        settings.addresses = util::localAddresses(hwnd_);
        settings.address = util::read(cfg::kAccountAddress, kFirstUser);
        settings.userName = util::read(cfg::kAccountUserName, kFirstUser);
        settings.password = util::crypt(util::accountKey(settings.userName),
                                        util::read(cfg::kAccountPassword, kFirstUser), false);
        settings.domain = util::read(cfg::kPrimaryDomainAsStored);
        item(IDC_CLIENT_TEXT).setText(clientInformationText(settings));
        item(IDCANCEL).focus();  // not the text, which would show selected whole
        return false;
    }

    void onControl(int id, int code) override {
        if (id == IDC_CLIENT_PRINT && code == BN_CLICKED) close(IDC_CLIENT_PRINT);
    }
};

}  // namespace

void runClientInformation(HWND owner) { ClientInformationDialog().run(owner); }

}  // namespace admin
