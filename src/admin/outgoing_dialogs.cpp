#include "admin/outgoing_dialogs.h"

#include "admin/dialog.h"
#include "admin/list_support.h"
#include "content/base64_string.h"
#include "frame/profile.h"
#include "resources/resource_ids.h"

namespace admin {
namespace {

constexpr int kMaxUsers = 32768;

constexpr Tip kAuthTips[] = {
    {IDC_AUTH_ACCOUNT, "User id for smtp authentication"},
    {IDC_AUTH_PASSWORD, "Password for smtp authentication"},
    {IDC_AUTH_SHOW, "Show or hide password"},
    {IDOK, "Save settings"},
    {IDCANCEL, "Cancel operation"},
};

class SmtpAuthDialog final : public ModalDialog {
public:
    explicit SmtpAuthDialog(AuthBuffers& buffers) : buffers_(buffers) {}

protected:
    std::span<const Tip> tips() const override { return kAuthTips; }
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

constexpr Tip kSelectTips[] = {
    {IDC_SEL_USERS, "All configured users"},
    {IDC_SEL_SELECTED, "Selected users"},
    {IDC_SEL_ADD_ALL, "Add all users"},
    {IDC_SEL_ADD, "Add selected user"},
    {IDC_SEL_REMOVE, "Remove selected user"},
    {IDC_SEL_REMOVE_ALL, "Remove all users"},
    {IDOK, "Save settings"},
    {IDCANCEL, "Cancel operation"},
};

class SelectUsersDialog final : public ModalDialog {
public:
    SelectUsersDialog(std::string title, std::string section)
        : title_(std::move(title)), section_(std::move(section)) {
        if (title_.size() > 255) title_.resize(255);
    }

protected:
    std::span<const Tip> tips() const override { return kSelectTips; }
    bool onOpen() override {
        user_ = OwnedBitmap(IDB_USER);
        mask_ = OwnedBitmap(IDB_USER_MASK);
        item(IDC_SEL_TITLE).setText(title_);
        for (const std::string& name : mailboxNames(kMaxUsers)) users().add(name);
        for (int i = 0; i < kMaxUsers; ++i) {
            std::string name = util::profileString(section_.c_str(), ("user" + std::to_string(i)).c_str(), "");
            if (name.empty()) break;
            selected().add(name);
        }
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
        util::deleteProfileSection(section_.c_str());
        for (int i = 0; i < selected().count(); ++i)
            util::writeProfileString(section_.c_str(), ("user" + std::to_string(i)).c_str(), selected().itemText(i));
        close(IDOK);
    }
    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.itemID == static_cast<UINT>(-1)) return;
        ListBox list(item.hwndItem);
        drawPictureItem(item, user_.get(), mask_.get(), list.itemText(static_cast<int>(item.itemID)));
    }

private:
    ListBox users() const { return listBox(IDC_SEL_USERS); }
    ListBox selected() const { return listBox(IDC_SEL_SELECTED); }

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
    std::string section_;
    OwnedBitmap user_, mask_;
};

}  // namespace

INT_PTR runSmtpAuthDialog(HWND owner, AuthBuffers& buffers) {
    SmtpAuthDialog dialog(buffers);
    return dialog.run(owner, IDD_SMTP_AUTH);
}

INT_PTR runSelectUsersDialog(HWND owner, const std::string& title, const std::string& section) {
    SelectUsersDialog dialog(title, section);
    return dialog.run(owner, IDD_SELECT_USERS);
}

}  // namespace admin
