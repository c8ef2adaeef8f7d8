// The "Address Lists" page's behaviour: mailing lists, one file a list in
// the "address lists" folder, and the addresses of the chosen one. Every
// change is written at once: a new list is an empty file, a deleted list
// its file removed, and the addresses rewrite their file whole.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "accounts/account_rules.h"
#include "admin/address_list_files.h"
#include "admin/address_lists_ids.h"
#include "admin/page_text.h"
#include "admin/settings_page.h"
#include "resources/admin_ids.h"
#include "ui/gdi.h"
#include "ui/message_box.h"
#include "ui/prompt.h"

namespace admin {
namespace {

constexpr ui::Tip kAddressListTips[] = {
    {IDC_AL_LISTS, "List of current mailing lists"},
    {IDC_AL_NEW_LIST, "Create a new mailing list"},
    {IDC_AL_DELETE_LIST, "Remove a mailing list"},
    {IDC_AL_ADDRESSES, "Contents of mailing list"},
    {IDC_AL_ADD_ADDRESS, "Add an address to a mailing list"},
    {IDC_AL_DELETE_ADDRESS, "Remove an address from a mailing list"},
    {IDC_AL_EDIT_ADDRESS, "Change an address in a mailing list"},
};

constexpr int kEntryLength = 256;

// A name that the folder cannot hold as a file of its own, or that an
// alias record could not carry.
bool isUsableListName(const std::string& name) { return name.find_first_of("\\/:*?\"<>|~") == std::string::npos; }

bool canRead(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

class AddressListsPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        user_ = ui::loadMaskedPicture(IDB_USER, IDB_USER_MASK);
        makeAddressListFolder();
        for (const std::string& name : addressListNames()) lists().add(name);
        lists().select(0);
        showAddresses();
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (id == IDC_AL_LISTS && code == LBN_SELCHANGE) showAddresses();
        if (id == IDC_AL_ADDRESSES && code == LBN_SELCHANGE) updateButtons();
        if (code != BN_CLICKED) return;
        switch (id) {
        case IDC_AL_NEW_LIST:
            newList();
            break;
        case IDC_AL_DELETE_LIST:
            deleteList();
            break;
        case IDC_AL_ADD_ADDRESS:
            if (std::optional<std::string> address = askAddress("Enter email address", "")) {
                addresses().select(addresses().add(*address));
                saveAddresses();
            }
            break;
        case IDC_AL_EDIT_ADDRESS: {
            int index = addresses().selection();
            if (index < 0) break;
            if (std::optional<std::string> address = askAddress("Edit email address", addresses().itemText(index))) {
                addresses().select(addresses().replace(index, *address));
                saveAddresses();
            }
            break;
        }
        case IDC_AL_DELETE_ADDRESS:
            if (addresses().removeSelected()) saveAddresses();
            break;
        }
        updateButtons();
    }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_AL_LISTS && item.CtlID != IDC_AL_ADDRESSES) return;
        std::string text = listBox(static_cast<int>(item.CtlID)).itemText(static_cast<int>(item.itemID));
        ui::drawPictureItem(item, user_, text.c_str());
    }

private:
    ui::ListBox lists() const { return listBox(IDC_AL_LISTS); }
    ui::ListBox addresses() const { return listBox(IDC_AL_ADDRESSES); }
    std::string selectedList() const { return lists().itemText(lists().selection()); }

    void showAddresses() {
        addresses().clear();
        if (lists().selection() >= 0)
            for (const std::string& address : readAddressList(selectedList())) addresses().add(address);
        addresses().select(0);
        updateButtons();
    }

    void saveAddresses() const {
        if (lists().selection() < 0) return;
        std::vector<std::string> all;
        for (int i = 0; i < addresses().count(); ++i) all.push_back(addresses().itemText(i));
        writeLines(addressListPath(selectedList()), all);
    }

    // Buttons are live only when they can act.
    void updateButtons() const {
        bool haveList = lists().selection() >= 0;
        bool haveAddress = addresses().selection() >= 0;
        item(IDC_AL_DELETE_LIST).enable(haveList);
        item(IDC_AL_ADD_ADDRESS).enable(haveList);
        item(IDC_AL_DELETE_ADDRESS).enable(haveAddress);
        item(IDC_AL_EDIT_ADDRESS).enable(haveAddress);
    }

    void newList() {
        std::optional<std::string> name =
            ui::prompt(hwnd_, {"Enter name for address list", "List name...", kEntryLength});
        if (!name || name->empty()) return;
        std::string path = addressListPath(*name);
        if (!isUsableListName(*name) || canRead(path) || !writeLines(path, {})) {
            ui::messageBox(hwnd_, "Please choose a different name for this list", "Name Error", MB_OK | MB_ICONSTOP);
            return;
        }
        lists().select(lists().add(*name));
        showAddresses();
    }

    void deleteList() {
        if (lists().selection() < 0) return;
        if (!ui::askYesNo(hwnd_, "Please confirm delete...", "Confirm", MB_ICONQUESTION)) return;
        DeleteFileA(addressListPath(selectedList()).c_str());
        lists().removeSelected(true);
        showAddresses();
    }

    // An address from the prompt; nothing when none was entered or it was
    // refused.
    std::optional<std::string> askAddress(const char* question, const std::string& initial) {
        std::optional<std::string> address = ui::prompt(hwnd_, {question, initial, kEntryLength});
        if (!address || address->empty()) return std::nullopt;
        if (address->find('@') == std::string::npos) {
            ui::showError(hwnd_, std::string("Please enter a valid email address eg ") + util::kFullAddressExample);
            return std::nullopt;
        }
        return address;
    }

    ui::MaskedPicture user_;
};

}  // namespace

const PageDefinition pages::address_lists{
    {.dialog = IDD_PAGE_ADDRESS_LISTS, .tips = kAddressListTips},
    behaviour<AddressListsPage>};

}  // namespace admin
