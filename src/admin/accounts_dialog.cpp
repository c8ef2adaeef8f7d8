// "Mailbox Details": browsing the accounts in the list (the window shortened
// to its top part), or adding or editing one in the details below it.
#include "admin/accounts_dialog.h"

#include <shellapi.h>

#include <cstdlib>

#include "accounts/account_rules.h"
#include "accounts/accounts.h"
#include "admin/mailbox_details_ids.h"
#include "frame/crypt.h"
#include "frame/export_guard.h"
#include "frame/help_topics.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "ui/gdi.h"
#include "ui/message_box.h"
#include "utilities.h"

namespace admin {
namespace {

using namespace util;  // the accounts' records and rules

constexpr ui::Tip kTips[] = {
    {IDC_MBOX_LIST, "List of mail users"},
    {IDC_MBOX_ADD, "Create a new email account"},
    {IDC_MBOX_EDIT, "Edit an email account"},
    {IDC_MBOX_DELETE, "Remove an email account"},
    {IDC_MBOX_HELP, "Run help system"},
    {IDC_MBOX_NAME, "Users name"},
    {IDC_MBOX_ADDRESS, "Users email address"},
    {IDC_MBOX_USER, "Users pop3 user name"},
    {IDC_MBOX_PASSWORD, "Users pop3 password"},
    {IDC_MBOX_SHOW_PASSWORD, "Show or hide password"},
    {IDC_MBOX_ENABLED, "Suspend user from mail system"},
    {IDC_MBOX_SAVE, "Save changes"},
    {IDC_MBOX_CANCEL, "Cancel operation"},
};

// Live while browsing; the details are live while editing.
constexpr int kBrowsing[] = {IDC_MBOX_LIST, IDC_MBOX_ADD, IDC_MBOX_EDIT, IDC_MBOX_DELETE, IDCANCEL};
constexpr int kDetails[] = {IDC_MBOX_NAME,          IDC_MBOX_ADDRESS, IDC_MBOX_USER, IDC_MBOX_PASSWORD,
                            IDC_MBOX_SHOW_PASSWORD, IDC_MBOX_ENABLED, IDC_MBOX_SAVE, IDC_MBOX_CANCEL};
// The Postmaster's name, address and user name stay as they are.
constexpr int kPostmasterFixed[] = {IDC_MBOX_NAME, IDC_MBOX_ADDRESS, IDC_MBOX_USER};

constexpr char kProgressTitle[] = "Removing mail messages";

int fieldControl(AccountField field) {
    switch (field) {
    case AccountField::Name: return IDC_MBOX_NAME;
    case AccountField::Address: return IDC_MBOX_ADDRESS;
    case AccountField::UserName: return IDC_MBOX_USER;
    case AccountField::Password: return IDC_MBOX_PASSWORD;
    }
    return IDC_MBOX_NAME;
}

ui::Refusal refusalOf(const AccountProblem& problem) {
    bool warning = std::string_view(problem.title) == "Warning";
    return {problem.message, fieldControl(problem.field), true, UINT(warning ? MB_ICONEXCLAMATION : MB_ICONSTOP),
            problem.title};
}

std::string formatted(const char* pattern, const std::string& value) {
    std::string text(pattern);
    text.replace(text.find("%s"), 2, value);
    return text;
}

// The entries of a folder, "." and ".." left out, as full paths.
std::vector<std::string> folderEntries(const std::string& folder) {
    std::vector<std::string> entries;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(fileInFolder(folder, "*").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return entries;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") entries.push_back(fileInFolder(folder, name));
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return entries;
}

// To the recycle bin through the shell, without a question, with a simple
// progress window.
bool recycle(HWND owner, const std::vector<std::string>& paths) {
    std::string from;
    for (const std::string& path : paths) from.append(path).push_back('\0');
    from.push_back('\0');
    SHFILEOPSTRUCTA operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SIMPLEPROGRESS;
    operation.lpszProgressTitle = kProgressTitle;
    return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool isDirectory(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class MailboxDetails final : public ui::ModalDialog {
public:
    MailboxDetails() : ModalDialog(kMailboxDetailsDialog) {}

protected:
    bool onOpen() override;
    void onControl(int id, int code) override;
    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        std::string text = listBox(IDC_MBOX_LIST).itemText(static_cast<int>(item.itemID));
        ui::drawPictureItem(item, user_, text.c_str());
    }
    // Enter does not end the dialog; Close (and Escape) only while browsing.
    void onOk() override {}
    void onCancel() override {
        if (!editing_) close(1);
    }

private:
    void setMode(bool editing);
    void fillList();
    void loadFields();
    void beginAdd();
    void beginEdit();
    void save();
    void cancel();
    void remove();
    void showPassword();
    bool singleDomain() const { return read(cfg::kSingleDomain) != 0; }
    std::string listedName() const {
        ui::ListBox list = listBox(IDC_MBOX_LIST);
        return list.selection() < 0 ? std::string() : list.itemText(list.selection());
    }
    // The account of the selected entry as the list was filled; null
    // without one.
    const StoredAccount* listedAccount() const;
    std::vector<AccountFields> otherAccounts(const std::vector<StoredAccount>& accounts, int except) const;
    bool renameFolder(const std::string& from, const std::string& to) const;

    ui::MaskedPicture user_ = ui::loadMaskedPicture(IDB_USER, IDB_USER_MASK);
    int fullHeight_ = 0;
    bool editing_ = false;
    bool adding_ = false;
    std::string oldName_, oldAddress_, oldUser_;
    // The accounts as the list was filled (read in one pass), and the
    // number of each entry's account; an account without a name is not
    // listed.
    std::vector<StoredAccount> accounts_;
    std::vector<int> listed_;
};

bool MailboxDetails::onOpen() {
    RECT r = ui::Window(hwnd_).windowRect();
    fullHeight_ = r.bottom - r.top;
    bool show = read(cfg::kShowAccountPasswords) == 1;
    button(IDC_MBOX_SHOW_PASSWORD).check(show);
    edit(IDC_MBOX_PASSWORD).mask(!show);
    fillList();
    listBox(IDC_MBOX_LIST).select(0);
    loadFields();
    setMode(false);
    return true;
}

// Browsing shows the top 20/33 of the window, editing the whole of it.
void MailboxDetails::setMode(bool editing) {
    editing_ = editing;
    for (int id : kBrowsing) item(id).enable(!editing);
    for (int id : kDetails) item(id).enable(editing);
    RECT r = ui::Window(hwnd_).windowRect();
    int height = editing ? fullHeight_ : fullHeight_ * 20 / 33;
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MailboxDetails::fillList() {
    ui::ListBox list = listBox(IDC_MBOX_LIST);
    list.setRedraw(false);
    list.clear();
    accounts_ = listAccounts();
    listed_.clear();
    for (std::size_t i = 0; i < accounts_.size(); ++i) {
        if (accounts_[i].name.empty()) continue;
        list.add(accounts_[i].name);
        listed_.push_back(static_cast<int>(i));
    }
    list.setRedraw(true);
}

const StoredAccount* MailboxDetails::listedAccount() const {
    const int entry = listBox(IDC_MBOX_LIST).selection();
    if (entry < 0 || static_cast<std::size_t>(entry) >= listed_.size()) return nullptr;
    return &accounts_[static_cast<std::size_t>(listed_[static_cast<std::size_t>(entry)])];
}

// The fields of the selected entry, from the accounts read with the list.
void MailboxDetails::loadFields() {
    const StoredAccount* listed = listedAccount();
    const StoredAccount account = listed ? *listed : StoredAccount{};
    item(IDC_MBOX_NAME).setText(account.name);
    item(IDC_MBOX_ADDRESS).setText(singleDomain() ? std::string(localPart(account.address)) : account.address);
    item(IDC_MBOX_USER).setText(account.folder);
    item(IDC_MBOX_PASSWORD).setText(crypt(accountKey(account.folder), account.password, false));
    button(IDC_MBOX_ENABLED).check(!listed || std::atoi(account.active.c_str()) != 0);
}

void MailboxDetails::onControl(int id, int code) {
    if (id == IDC_MBOX_LIST) {
        if (code == LBN_SELCHANGE) loadFields();
        if (code == LBN_DBLCLK) beginEdit();
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_MBOX_ADD: beginAdd(); break;
    case IDC_MBOX_EDIT: beginEdit(); break;
    case IDC_MBOX_DELETE: remove(); break;
    case IDC_MBOX_SAVE: save(); break;
    case IDC_MBOX_CANCEL: cancel(); break;
    case IDC_MBOX_SHOW_PASSWORD: showPassword(); break;
    case IDC_MBOX_HELP: ui::openHelpTopic(hwnd_, help::kUsers); break;
    default: break;
    }
}

void MailboxDetails::beginAdd() {
    for (int id : {IDC_MBOX_NAME, IDC_MBOX_ADDRESS, IDC_MBOX_USER, IDC_MBOX_PASSWORD}) item(id).setText("");
    adding_ = true;
    setMode(true);
    item(IDC_MBOX_NAME).focus();
}

void MailboxDetails::beginEdit() {
    if (listedName().empty()) return;
    adding_ = false;
    setMode(true);
    loadFields();
    oldName_ = item(IDC_MBOX_NAME).text();
    oldAddress_ = item(IDC_MBOX_ADDRESS).text();
    oldUser_ = item(IDC_MBOX_USER).text();
    bool postmaster = isPostmaster(oldName_);
    for (int id : kPostmasterFixed) item(id).enable(!postmaster);
    item(postmaster ? IDC_MBOX_PASSWORD : IDC_MBOX_NAME).focus();
}

void MailboxDetails::cancel() {
    adding_ = false;
    setMode(false);
    ui::ListBox list = listBox(IDC_MBOX_LIST);
    list.select(list.selection() < 0 ? 0 : list.selection());
    loadFields();
}

std::vector<AccountFields> MailboxDetails::otherAccounts(const std::vector<StoredAccount>& accounts, int except) const {
    std::vector<AccountFields> others;
    for (std::size_t i = 0; i < accounts.size(); ++i) {
        const StoredAccount& a = accounts[i];
        if (static_cast<int>(i) != except) others.push_back({a.name, a.address, a.folder, ""});
    }
    return others;
}

bool MailboxDetails::renameFolder(const std::string& from, const std::string& to) const {
    const std::string install = installFolder();
    return MoveFileA(mailboxFolderPath(install, from).c_str(), mailboxFolderPath(install, to).c_str()) != 0;
}

// The checks in their order; the first that fails says why and keeps the
// dialog editing. A changed user name moves the mailbox folder before the
// checks that follow, and back again when one of them fails.
void MailboxDetails::save() {
    const bool single = singleDomain();
    AccountFields fields{item(IDC_MBOX_NAME).text(), item(IDC_MBOX_ADDRESS).text(), item(IDC_MBOX_USER).text(),
                         item(IDC_MBOX_PASSWORD).text()};
    std::optional<AccountProblem> problem = checkAccountFields(fields, single);
    if (single) item(IDC_MBOX_ADDRESS).setText(fields.address);
    if (problem) return refuse(refusalOf(*problem));

    // The accounts as they stand now, the edited one found by its listed name.
    const std::vector<StoredAccount> accounts = listAccounts();
    int edited = -1;
    const std::string listed = listedName();
    for (std::size_t i = 0; !adding_ && !listed.empty() && edited < 0 && i < accounts.size(); ++i)
        if (accounts[i].name == listed) edited = static_cast<int>(i);
    const std::string editedSection = edited < 0 ? std::string() : accountSection(edited);
    const std::vector<AccountFields> others = otherAccounts(accounts, edited);
    bool renamed = false;
    auto refuseAndRestore = [&](const ui::Refusal& refusal) {
        if (renamed) renameFolder(fields.userName, oldUser_);
        refuse(refusal);
    };
    if (adding_) {
        if ((problem = checkNewAccountUnique(fields, others))) return refuse(refusalOf(*problem));
    } else {
        if (fields.name != oldName_ && (problem = duplicateName(fields.name, others)))
            return refuse(refusalOf(*problem));
        if (fields.userName != oldUser_) {
            if ((problem = duplicateUserName(fields.userName, others))) return refuse(refusalOf(*problem));
            if (!renameFolder(oldUser_, fields.userName)) {
                std::string message = formatted("Error in renaming mailbox folder %s", fields.userName);
                item(IDC_MBOX_USER).setText(oldUser_);
                return refuse({message, IDC_MBOX_USER, true});
            }
            renamed = true;
        }
        if (fields.address != oldAddress_ && (problem = duplicateAddress(fields.address, others, false)))
            return refuseAndRestore(refusalOf(*problem));
    }
    if ((problem = checkPasswordSeparators(fields.password))) return refuseAndRestore(refusalOf(*problem));
    if (!adding_ && editedSection.empty())
        return refuseAndRestore({"Error - cannot get configuration data for this user", IDC_MBOX_NAME, true});

    const std::string section = adding_ ? accountSection(static_cast<int>(accounts.size())) : editedSection;
    const int index = accountIndexFromSection(section);
    write(cfg::kAccountEnabled, button(IDC_MBOX_ENABLED).checked() ? 1 : 0, index);
    write(cfg::kAccountName, fields.name, index);
    write(cfg::kAccountAddress, fields.address, index);
    write(cfg::kAccountUserName, fields.userName, index);
    write(cfg::kAccountPassword, crypt(accountKey(fields.userName), fields.password, true), index);

    // The list shows the saved name: a new account last, an edited one in its place.
    ui::ListBox list = listBox(IDC_MBOX_LIST);
    const int selected = list.selection();
    fillList();
    list.select(adding_ || selected < 0 ? list.count() - 1 : selected);
    if (adding_) {
        const std::string mailboxes = fileInFolder(installFolder(), "mailboxes");
        const std::string folder = fileInFolder(mailboxes, fields.userName) + "\\";
        CreateDirectoryA(mailboxes.c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        CreateWelcomeMsg(section.c_str(), folder.c_str());
    }
    loadFields();
    RefreshView();
    adding_ = false;
    setMode(false);
}

void MailboxDetails::remove() {
    const std::string name = listedName();
    if (name.empty()) return refuse({"Please select a mailbox to delete", IDC_MBOX_LIST, false, MB_ICONEXCLAMATION, "Warning"});
    if (isPostmaster(name)) return refuse({"You can not delete the Postmaster mailbox", IDC_MBOX_LIST, false, MB_ICONEXCLAMATION, "Warning"});
    const FoundAccount found = findAccount(name);
    if (found.section.empty())
        return refuse({"Error - cannot get configuration data for this user", IDC_MBOX_LIST, false});

    const std::vector<std::string> entries = folderEntries(found.path);
    if (!entries.empty()) {
        if (!ui::askYesNo(hwnd_, "This mailbox contains mail\r\nPlease confirm that you want to delete this mailbox",
                          "Warning", MB_ICONWARNING))
            return;
        recycle(hwnd_, entries);
    }
    // A folder that is not there (any more) is as good as removed.
    if (isDirectory(found.path) && !RemoveDirectoryA(found.path.c_str()))
        return refuse({"Could not remove mailbox folder", IDC_MBOX_NAME, false});
    if (!removeAccount(found.section)) {
        ui::messageBox(nullptr, "Unable to allocate memory", "Insufficient Memory", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
        CreateDirectoryA(found.path.c_str(), nullptr);
        return refuse({"Error - could not save changes. Mailbox not deleted", IDC_MBOX_LIST, false});
    }
    ui::ListBox list = listBox(IDC_MBOX_LIST);
    const int index = list.selection();
    fillList();
    list.select(index > 0 ? index - 1 : 0);
    loadFields();
    RefreshView();
}

void MailboxDetails::showPassword() {
    bool show = button(IDC_MBOX_SHOW_PASSWORD).checked();
    edit(IDC_MBOX_PASSWORD).mask(!show);
    write(cfg::kShowAccountPasswords, show ? 1 : 0);
}

}  // namespace

const ui::WindowDefinition kMailboxDetailsDialog{IDD_MAILBOX_DETAILS, kTips};

int runMailboxDetails(HWND owner) {
    MailboxDetails dialog;
    return static_cast<int>(dialog.run(owner));
}

}  // namespace admin

extern "C" int UTILAPI ShowMboxConfig(HWND owner) {
    return util::guarded(-1, [&] { return admin::runMailboxDetails(owner); });
}
