// "Mail Client Information": after the setup wizard has finished, what the
// office's mail clients need (the machine's addresses, the first user's
// address, user name and password), to read or print line by line.
#include <windows.h>

#include <string>
#include <vector>

#include "accounts/account_rules.h"
#include "admin/client_information_ids.h"
#include "admin/machine_addresses.h"
#include "admin/setup_wizard.h"
#include "admin/wizard_rules.h"
#include "frame/crypt.h"
#include "frame/profile.h"
#include "ui/printing.h"

namespace admin {

const ui::WindowDefinition kClientInformationDialog{.dialog = IDD_CLIENT_INFORMATION};

namespace {

constexpr int kFirstUser = 1;

class ClientInformationDialog final : public ui::ModalDialog {
public:
    ClientInformationDialog() : ModalDialog(kClientInformationDialog) {}

protected:
    bool onOpen() override {
        ClientSettings settings;
        settings.addresses = machineAddresses(hwnd_);
        settings.address = util::read(cfg::kAccountAddress, kFirstUser);
        settings.userName = util::read(cfg::kAccountUserName, kFirstUser);
        settings.password = util::crypt(util::accountKey(settings.userName),
                                        util::read(cfg::kAccountPassword, kFirstUser), false);
        settings.domain = util::read(cfg::kPrimaryDomainAsStored);
        item(IDC_CLIENT_TEXT).setText(clientInformationText(settings));
        item(IDCANCEL).focus();  // not the text, which would show selected whole
        return false;
    }

    // The settings on the printer the user chooses; then the dialog ends.
    void onControl(int id, int code) override {
        if (id != IDC_CLIENT_PRINT || code != BN_CLICKED) return;
        ui::printLines(hwnd_, "Web Connection Log", textLines(item(IDC_CLIENT_TEXT).text()));
        close(IDC_CLIENT_PRINT);
    }

private:
    static std::vector<std::string> textLines(const std::string& text) {
        std::vector<std::string> lines;
        for (std::size_t at = 0;;) {
            std::size_t end = text.find("\r\n", at);
            lines.push_back(text.substr(at, end - at));
            if (end == std::string::npos) return lines;
            at = end + 2;
        }
    }
};

}  // namespace

void runClientInformation(HWND owner) { ClientInformationDialog().run(owner); }

}  // namespace admin
