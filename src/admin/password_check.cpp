// GetPassword: the administration password asked for before the settings
// open. The stored value is esmtp/ver, scrambled with the system key.
#include <windows.h>

#include <string>

#include "admin/enter_password_ids.h"
#include "frame/crypt.h"
#include "frame/export_guard.h"
#include "frame/profile.h"
#include "ui/message_box.h"
#include "ui/modal.h"
#include "utilities.h"

namespace admin {
namespace {

constexpr std::size_t kEntryMax = 1023;

const ui::WindowDefinition kEnterPasswordDialog{IDD_ENTER_PASSWORD};

class EnterPasswordDialog final : public ui::ModalDialog {
public:
    EnterPasswordDialog() : ModalDialog(kEnterPasswordDialog) {}
    std::string entry;

protected:
    bool onOpen() override {
        edit(IDC_PW_EDIT).setText("");
        edit(IDC_PW_EDIT).focus();
        return false;
    }
    void onOk() override {
        entry = edit(IDC_PW_EDIT).text().substr(0, kEntryMax);
        close(IDOK);
    }
};

int getPassword(HWND owner) {
    std::string stored = util::read(cfg::kAdminPassword);
    if (stored.empty()) return 1;
    EnterPasswordDialog dialog;
    if (dialog.run(owner) != IDOK) return 0;
    if (dialog.entry.empty()) return 0;
    if (util::crypt(util::kSystemKey, dialog.entry, true) == stored) return 1;
    ui::showError(owner, "Invalid password entered...");
    return 0;
}

}  // namespace
}  // namespace admin

extern "C" int UTILAPI GetPassword(HWND owner) {
    return util::guarded(0, [&] { return admin::getPassword(owner); });
}
