// The "Password" page's behaviour: a new administration password typed
// twice through the prompt, cleared, or shown in clear. The password
// itself is a binding of the page's definition (esmtp/ver, scrambled with the
// system key; empty when none is set).
#include <windows.h>

#include <memory>
#include <string>

#include "admin/page_text.h"
#include "admin/password_ids.h"
#include "admin/settings_page.h"
#include "frame/settings.h"
#include "ui/message_box.h"
#include "ui/prompt.h"

namespace admin {
namespace {

constexpr ui::Tip kPasswordTips[] = {
    {IDC_PWD_PASSWORD, "Administration password"},
    {IDC_PWD_SHOW, "Show or hide the administration password"},
    {IDC_PWD_NEW, "Enter a new administration password"},
    {IDC_PWD_CLEAR, "Remove administration password"},
};
constexpr ui::Binding kPasswordBindings[] = {ui::secret(IDC_PWD_PASSWORD, cfg::kAdminPassword)};

constexpr int kPasswordLength = 512;

class PasswordPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    // The sheet gives the page's first control the focus once the page is
    // made; "New Password" takes it after that.
    bool onOpen() override {
        PostMessageA(hwnd_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(item(IDC_PWD_NEW).handle()), TRUE);
        return false;
    }

    void onUserCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        if (id == IDC_PWD_NEW) askNewPassword();
        if (id == IDC_PWD_CLEAR) {
            item(IDC_PWD_PASSWORD).setText("");
            changed();
        }
        if (id == IDC_PWD_SHOW) edit(IDC_PWD_PASSWORD).mask(!button(IDC_PWD_SHOW).checked());
    }

private:
    // Shown (and reported as a change by its binding) only when both
    // entries agree; an empty entry ends it without a word.
    void askNewPassword() {
        std::optional<std::string> first = ui::prompt(hwnd_, {"Please enter new password", "", kPasswordLength, true});
        if (!first || first->empty()) return;
        std::optional<std::string> second =
            ui::prompt(hwnd_, {"Please confirm new password", "", kPasswordLength, true});
        if (!second || second->empty()) return;
        if (*first != *second) {
            ui::messageBox(hwnd_, "Passwords do not match...", "Error", MB_OK);
            return;
        }
        // Blanks at either end would not survive ms.ini, and the password
        // read back would no longer be the one typed.
        if (withoutOuterBlanks(*first) != *first) {
            refuse("A password cannot begin or end with a space...", IDC_PWD_NEW);
            return;
        }
        item(IDC_PWD_PASSWORD).setText(*first);
    }
};

}  // namespace

const PageDefinition pages::password{
    {.dialog = IDD_PAGE_PASSWORD, .tips = kPasswordTips, .bindings = kPasswordBindings},
    behaviour<PasswordPage>};

}  // namespace admin
