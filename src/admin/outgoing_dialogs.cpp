#include "admin/outgoing_dialogs.h"

#include "admin/select_users_ids.h"
#include "admin/settings_page.h"
#include "admin/smtp_auth_ids.h"
#include "content/base64_string.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "ui/gdi.h"
#include "ui/modal.h"

namespace admin {
namespace {

constexpr ui::Tip kAuthTips[] = {
    {IDC_AUTH_ACCOUNT, "User id for smtp authentication"},
    {IDC_AUTH_PASSWORD, "Password for smtp authentication"},
    {IDC_AUTH_SHOW, "Show or hide password"},
    {IDOK, "Save settings"},
    {IDCANCEL, "Cancel operation"},
};

class SmtpAuthDialog final : public ui::ModalDialog {
public:
    explicit SmtpAuthDialog(AuthBuffers& buffers) : ModalDialog(kSmtpAuthDialog), buffers_(buffers) {}

protected:
    bool onOpen() override {
        edit(IDC_AUTH_PASSWORD).mask(true);
        edit(IDC_AUTH_ACCOUNT).focus();
        return false;
    }
    void onControl(int id, int code) override {
        if (id == IDC_AUTH_SHOW && code == BN_CLICKED) edit(IDC_AUTH_PASSWORD).mask(!button(IDC_AUTH_SHOW).checked());
    }
    void onOk() override {
        std::string account = item(IDC_AUTH_ACCOUNT).text();
        if (account.empty()) {
            refuse("Please enter the account id", IDC_AUTH_ACCOUNT);
            return;
        }
        buffers_.account64 = util::encodeBase64String(account);
        std::string password = item(IDC_AUTH_PASSWORD).text();
        if (password.empty()) {
            refuse("Please enter the password", IDC_AUTH_PASSWORD);
            return;
        }
        buffers_.password64 = util::encodeBase64String(password);
        close(IDOK);
    }
    void onCancel() override {
        buffers_.clear();
        close(IDCANCEL);
    }

private:
    AuthBuffers& buffers_;
};

constexpr ui::Tip kSelectTips[] = {
    {IDC_SEL_USERS, "All configured users"},
    {IDC_SEL_SELECTED, "Selected users"},
    {IDC_SEL_ADD_ALL, "Add all users"},
    {IDC_SEL_ADD, "Add selected user"},
    {IDC_SEL_REMOVE, "Remove selected user"},
    {IDC_SEL_REMOVE_ALL, "Remove all users"},
    {IDOK, "Save settings"},
    {IDCANCEL, "Cancel operation"},
};

class SelectUsersDialog final : public ui::ModalDialog {
public:
    SelectUsersDialog(std::string title, const char* section)
        : ModalDialog(kSelectUsersDialog), title_(std::move(title)), user_{section, cfg::kAppliesToUserKey, ""} {
        if (title_.size() > 255) title_.resize(255);
    }

protected:
    bool onOpen() override {
        picture_ = ui::loadMaskedPicture(IDB_USER, IDB_USER_MASK);
        item(IDC_SEL_TITLE).setText(title_);
        for (const std::string& name : accountNames()) users().add(name);
        for (const std::string& name : util::listValues(util::readSection(user_.section), user_, cfg::kMaxAccounts))
            selected().add(name);
        users().select(0);
        selected().select(0);
        return true;
    }
    void onControl(int id, int code) override {
        if (code != BN_CLICKED) return;
        switch (id) {
        case IDC_SEL_ADD_ALL:
            selected().clear();
            for (int i = 0; i < users().count(); ++i) selected().add(users().itemText(i));
            break;
        case IDC_SEL_ADD: addSelected(); break;
        case IDC_SEL_REMOVE: {
            int index = selected().selection();
            if (index < 0) break;
            selected().remove(index);
            int count = selected().count();
            if (count > 0) selected().select(index < count ? index : count - 1);
            break;
        }
        case IDC_SEL_REMOVE_ALL: selected().clear(); break;
        default: break;
        }
    }
    void onOk() override {
        util::ProfileLines lines;
        for (int i = 0; i < selected().count(); ++i) util::put(lines, user_, selected().itemText(i), i);
        util::replaceSection(user_.section, lines);
        close(IDOK);
    }
    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.itemID == static_cast<UINT>(-1)) return;
        ui::ListBox list(item.hwndItem);
        ui::drawPictureItem(item, picture_, list.itemText(static_cast<int>(item.itemID)).c_str());
    }

private:
    ui::ListBox users() const { return listBox(IDC_SEL_USERS); }
    ui::ListBox selected() const { return listBox(IDC_SEL_SELECTED); }

    void addSelected() {
        int index = users().selection();
        if (index < 0) return;
        std::string name = users().itemText(index);
        for (int i = 0; i < selected().count(); ++i) {
            if (selected().itemText(i) == name) {
                selected().select(i);
                return;
            }
        }
        selected().select(selected().add(name));
    }

    std::string title_;
    cfg::TextKey user_;  // user0, user1, ... of the option's section
    ui::MaskedPicture picture_;
};

}  // namespace

const ui::WindowDefinition kSmtpAuthDialog{IDD_SMTP_AUTH, kAuthTips};
const ui::WindowDefinition kSelectUsersDialog{IDD_SELECT_USERS, kSelectTips};

INT_PTR runSmtpAuthDialog(HWND owner, AuthBuffers& buffers) {
    SmtpAuthDialog dialog(buffers);
    return dialog.run(owner);
}

INT_PTR runSelectUsersDialog(HWND owner, const std::string& title, const char* section) {
    SelectUsersDialog dialog(title, section);
    return dialog.run(owner);
}

}  // namespace admin
