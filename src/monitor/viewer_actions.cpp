// What the mailbox viewer's buttons do to the selected messages: show the
// header lines, delete, hold or release, copy or move, open in the
// associated program, print; and the notifications to the mail clients.
#include <windows.h>
#include <shellapi.h>

#include "accounts/account_rules.h"
#include "accounts/accounts.h"
#include "frame/help_topics.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "frame/spool_files.h"
#include "frame/spool_names.h"
#include "monitor/mail_viewer_ids.h"
#include "monitor/select_destination.h"
#include "monitor/viewer_text.h"
#include "monitor/viewer_window.h"
#include "ui/message_box.h"
#include "ui/printing.h"
#include "utilities.h"

namespace monitor {
namespace {

constexpr char kPrintedDocument[] = "eMail message";

std::vector<std::string> accountNames() {
    std::vector<std::string> names;
    for (const util::StoredAccount& account : util::listAccounts()) names.push_back(account.name);
    return names;
}

bool createEmptyFile(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

// Copies (or moves) one message into folder under its own name, or under a
// new unique name when that is taken; companions go along when asked. A
// message whose copy fails stays where it was.
void transferMessage(const std::string& path, const std::string& folder, bool withCompanions, bool move) {
    if (!util::pathExists(path)) return;
    const std::string base = util::spoolBase(path);
    std::vector<std::string_view> extensions{util::kMessageExtension};
    if (withCompanions)
        for (std::string_view e : util::kCompanionExtensions)
            if (util::pathExists(util::spoolPath(base, e))) extensions.push_back(e);

    std::string target = util::spoolBase(util::fileInFolder(folder, path.substr(path.find_last_of('\\') + 1)));
    if (util::pathExists(util::spoolPath(target, util::kMessageExtension)))
        target = util::uniqueBaseName(folder, extensions);
    for (std::string_view e : extensions) {
        bool copied = CopyFileA(util::spoolPath(base, e).c_str(), util::spoolPath(target, e).c_str(), FALSE) != 0;
        if (!copied && e == util::kMessageExtension) return;
    }
    if (move) util::deleteMessageFamily(base);
}

}  // namespace

void MailViewer::onControl(int id, int code) {
    if (id == IDC_VIEW_LIST) {
        if (code != LBN_SELCHANGE) return;
        std::vector<int> selected = listBox(IDC_VIEW_LIST).selectedIndexes();
        if (selected.size() == 1) showMessage(selected.front());
        return;
    }
    if (code != BN_CLICKED) return;
    switch (id) {
    case IDC_VIEW_HEADER: toggleHeaders(); break;
    case IDC_VIEW_TRANSFER: transferSelected(); break;
    case IDC_VIEW_DELETE: deleteSelected(); break;
    case IDC_VIEW_HOLD: holdSelected(); break;
    case IDC_VIEW_PRINT: printMessage(); break;
    case IDC_VIEW_EDIT: editCurrent(); break;
    case IDC_VIEW_REFRESH: refresh(); break;
    case IDC_VIEW_HELP: ui::openHelpTopic(hwnd_, help::kViewer); break;
    case IDC_VIEW_CLOSE: destroy(); break;
    default: break;
    }
}

void MailViewer::toggleHeaders() {
    std::vector<int> selected = listBox(IDC_VIEW_LIST).selectedIndexes();
    if (selected.size() != 1) return;
    showHeaders_ = !showHeaders_;
    showMessage(selected.front());
}

// The message files and their companions go at once, without a question.
void MailViewer::deleteSelected() {
    std::vector<int> selected = listBox(IDC_VIEW_LIST).selectedIndexes();
    if (selected.empty() || !selectedNode()) return;
    for (int index : selected) {
        std::string path = entryPath(index);
        if (util::pathExists(path)) util::deleteMessageFamily(util::spoolBase(path));
    }
    refresh();
    notifyClients();
}

// The first selected message decides: not held, every selected one is held;
// held, every one is released.
void MailViewer::holdSelected() {
    ui::ListBox list = listBox(IDC_VIEW_LIST);
    std::vector<int> selected = list.selectedIndexes();
    const Node* node = selectedNode();
    if (selected.empty() || !node) return;
    const bool hold = !util::pathExists(lockPath(entryPath(selected.front())));
    for (int index : selected) {
        std::string path = entryPath(index);
        if (!util::pathExists(path)) continue;
        std::string lock = lockPath(path);
        if (hold) {
            createEmptyFile(lock);
        } else {
            DeleteFileA(lock.c_str());
        }
        list.setData(index, messageStatus(node->id, util::pathExists(lock)));
    }
    statusBar(IDC_VIEW_STATUS).setPartText(2, hold ? kHeldText : "");
    InvalidateRect(list.handle(), nullptr, TRUE);
    notifyClients();
}

void MailViewer::transferSelected() {
    std::vector<int> selected = listBox(IDC_VIEW_LIST).selectedIndexes();
    const Node* source = selectedNode();
    if (selected.empty() || !source) return;
    // Taken before the question: the folders may be rescanned meanwhile.
    const std::string sourceLabel = labelOf(*source);
    std::vector<std::string> paths;
    for (int index : selected) paths.push_back(entryPath(index));
    const std::vector<std::string> accounts = accountNames();

    std::optional<TransferChoice> choice = chooseDestination(hwnd_, transferDestinations(accounts, source->id));
    if (!choice) return;
    const int destination = choice->destination;
    const bool toAccount = isAccountNode(destination) && destination < static_cast<int>(accounts.size());
    const std::string folder =
        nodeFolder(destination, places_, toAccount ? util::read(cfg::kAccountUserName, destination) : "");
    if (folder.empty()) return;
    for (const std::string& path : paths) transferMessage(path, folder, toAccount, choice->move);

    refresh();
    if (toAccount) UpdateClient(accounts[static_cast<std::size_t>(destination)].c_str());
    if (choice->move) UpdateClient(sourceLabel.c_str());
}

void MailViewer::editCurrent() {
    ui::ListBox list = listBox(IDC_VIEW_LIST);
    const Node* node = selectedNode();
    int index = list.caretIndex();
    if (!node || index < 0 || index >= list.count()) return;
    std::string path = entryPath(index);
    if (!util::pathExists(path)) return;
    ShellExecuteA(hwnd_, "open", path.c_str(), nullptr, node->path.c_str(), SW_SHOWNORMAL);
}

// The lines as the field shows them.
void MailViewer::printMessage() {
    ui::Edit field = edit(IDC_VIEW_TEXT);
    int count = field.lineCount();
    if (count <= 1) return;
    std::vector<std::string> lines;
    for (int i = 0; i < count; ++i) lines.push_back(field.line(i));
    ui::printLines(hwnd_, kPrintedDocument, lines);
}

std::string MailViewer::labelOf(const Node& node) const {
    return isAccountNode(node.id) ? node.account : treeView(IDC_VIEW_TREE).itemText(node.item);
}

// The account named by the selected folder is told (a folder of the system
// names none); everybody when the folder's label cannot be had.
void MailViewer::notifyClients() {
    HTREEITEM item = treeView(IDC_VIEW_TREE).selection();
    if (!item) return;
    const Node* node = nodeOf(item);
    std::string label = node ? labelOf(*node) : "";
    if (label.empty()) {
        UpdateAllClients();
    } else {
        UpdateClient(label.c_str());
    }
}

}  // namespace monitor
