// The mailbox viewer's window: the tree of folders, the list of the chosen
// folder's messages, the message shown, the placement and the layout; and
// the exports ShowMailWindow and RefreshView.
#include "monitor/viewer_window.h"

#include <algorithm>
#include <cstdio>

#include "accounts/account_rules.h"
#include "accounts/accounts.h"
#include "frame/export_guard.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "frame/spool_files.h"
#include "frame/spool_names.h"
#include "monitor/mail_viewer.h"
#include "monitor/mail_viewer_ids.h"
#include "monitor/viewer_text.h"
#include "utilities.h"

namespace monitor {
namespace {

constexpr ui::Tip kTips[] = {
    {IDC_VIEW_TREE, "Mailboxes held on server"},
    {IDC_VIEW_LIST, "Messages in mailbox"},
    {IDC_VIEW_FROM, "Sender of message"},
    {IDC_VIEW_TO, "Recipient(s) of message"},
    {IDC_VIEW_TEXT, "The mail message"},
    {IDC_VIEW_HEADER, "Show or hide the message header"},
    {IDC_VIEW_TRANSFER, "Copy or move the message"},
    {IDC_VIEW_DELETE, "Remove the message from the system"},
    {IDC_VIEW_HOLD, "Do not send message"},
    {IDC_VIEW_PRINT, "Print the message"},
    {IDC_VIEW_EDIT, "Edit the message"},
    {IDC_VIEW_REFRESH, "Rescan for messages"},
    {IDC_VIEW_HELP, "Run help system"},
    {IDC_VIEW_CLOSE, "Close mailbox viewer"},
};

constexpr int kButtons[] = {IDC_VIEW_HEADER, IDC_VIEW_TRANSFER, IDC_VIEW_DELETE, IDC_VIEW_HOLD,  IDC_VIEW_PRINT,
                            IDC_VIEW_EDIT,   IDC_VIEW_REFRESH,  IDC_VIEW_HELP,   IDC_VIEW_CLOSE};

constexpr int kMinWidth = 460;
constexpr int kMinHeight = 463;
constexpr int kEdge = 10;        // the buttons stand this far in from the right edge
constexpr int kGap = 6;
constexpr int kItemHeight = 15;  // of the message list
constexpr int kStatusEdges[] = {175, 300, -1};
// A move leaves the stored placement alone when it puts the window this
// close to the screen's right or bottom edge.
constexpr int kPlacementMargin = 25;

// The one viewer of the process (a closed one waits for the next opening).
constinit MailViewer* viewer = nullptr;

// The first bytes of a file, at most limit; false when it cannot be read.
bool readFront(const std::string& path, std::size_t limit, std::string& bytes) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    bytes.resize(limit);
    bytes.resize(std::fread(bytes.data(), 1, limit, file));
    std::fclose(file);
    return true;
}

bool holdsMessages(const std::string& folder) { return util::anyFileMatches(util::fileInFolder(folder, "*.txt")); }

RECT rectIn(HWND window, HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

}  // namespace

std::string lockPath(const std::string& messagePath) {
    return util::spoolPath(util::spoolBase(messagePath), util::kHoldExtension);
}

MailViewer::MailViewer() : ModelessWindow(kMailViewerWindow) {}

// ---- opening, closing, placement and layout ---------------------------------------

bool MailViewer::onOpen() {
    opening_ = true;
    places_ = viewerPlaces(util::installFolder(), util::read(cfg::kArchiveFolder));
    showHeaders_ = false;

    listBox(IDC_VIEW_LIST).setItemHeight(kItemHeight);
    listFont_.reset(CreateFontA(kItemHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH | FF_SWISS, "Arial"));
    states_ = ui::loadMaskedPicture(IDB_VIEW_STATES, IDB_VIEW_STATES_MASK);
    treeImages_.reset(ImageList_Create(16, 16, ILC_COLOR24 | ILC_MASK, 2, 0));
    const ui::MaskedPicture folders = ui::loadMaskedPicture(IDB_VIEW_FOLDERS, IDB_VIEW_FOLDERS_MASK);
    ImageList_Add(treeImages_.get(), folders.image.get(), folders.mask.get());
    treeView(IDC_VIEW_TREE).setImageList(treeImages_.get());
    statusBar(IDC_VIEW_STATUS).setParts(3, kStatusEdges);
    paper_.attach(item(IDC_VIEW_TEXT).handle());

    // The template's sizes, kept as the window grows and shrinks.
    RECT first = rectIn(hwnd_, item(kButtons[0]).handle()), second = rectIn(hwnd_, item(kButtons[1]).handle());
    RECT from = rectIn(hwnd_, item(IDC_VIEW_FROM).handle()), to = rectIn(hwnd_, item(IDC_VIEW_TO).handle());
    buttonWidth_ = first.right - first.left;
    buttonHeight_ = first.bottom - first.top;
    buttonPitch_ = second.top - first.top;
    rowHeight_ = std::max(from.bottom - from.top, to.bottom - to.top);
    RECT fromLabel = rectIn(hwnd_, item(IDC_VIEW_FROM_LABEL).handle());
    RECT toLabel = rectIn(hwnd_, item(IDC_VIEW_TO_LABEL).handle());
    fromLabel_ = fromLabel.right - fromLabel.left;
    toLabel_ = toLabel.right - toLabel.left;

    buildTree();
    place();
    layout();
    opening_ = false;
    return true;
}

void MailViewer::onDestroy() {
    paper_.detach();
    nodes_.clear();
}

void MailViewer::place() {
    RECT r = ui::Window(hwnd_).windowRect();
    int x = (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2;
    int y = (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2;
    int left = util::read(cfg::kViewLeft), top = util::read(cfg::kViewTop);
    if (left != cfg::kViewCentred) x = left;
    if (top != cfg::kViewCentred) y = top;
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MailViewer::storePlacement() {
    if (opening_ || IsIconic(hwnd_) || IsZoomed(hwnd_)) return;
    RECT r = ui::Window(hwnd_).windowRect();
    if (r.top < GetSystemMetrics(SM_CYSCREEN) - kPlacementMargin) util::write(cfg::kViewTop, r.top);
    if (r.left < GetSystemMetrics(SM_CXSCREEN) - kPlacementMargin) util::write(cfg::kViewLeft, r.left);
}

// The buttons in a column at the right edge, the tree and the list side by
// side above, From and To below them, the message filling the rest.
void MailViewer::layout() {
    RECT client = ui::Window(hwnd_).clientRect();
    if (client.right <= 0 || client.bottom <= 0) return;
    ui::StatusBar status = statusBar(IDC_VIEW_STATUS);
    status.send(WM_SIZE);
    RECT bar = status.windowRect();
    const int bottom = client.bottom - (bar.bottom - bar.top) - kEdge;

    const int buttonsLeft = client.right - kEdge - buttonWidth_;
    for (std::size_t k = 0; k < std::size(kButtons); ++k)
        item(kButtons[k]).move(buttonsLeft, kEdge + static_cast<int>(k) * buttonPitch_, buttonWidth_, buttonHeight_);

    const int right = buttonsLeft - kEdge;
    const int upper = std::max(40, (bottom - kEdge - rowHeight_ - 2 * kGap) * 2 / 5);
    const int half = (right - kEdge - kGap) / 2;
    const int listLeft = kEdge + half + kGap;
    item(IDC_VIEW_TREE).move(kEdge, kEdge, half, upper);
    item(IDC_VIEW_LIST).move(listLeft, kEdge, right - listLeft, upper);

    const int row = kEdge + upper + kGap;
    RECT label = item(IDC_VIEW_FROM_LABEL).windowRect();
    const int labelTop = row + (rowHeight_ - (label.bottom - label.top)) / 2;
    item(IDC_VIEW_FROM_LABEL).move(kEdge, labelTop, fromLabel_, label.bottom - label.top);
    item(IDC_VIEW_FROM).move(kEdge + fromLabel_ + 4, row, half - fromLabel_ - 4, rowHeight_);
    item(IDC_VIEW_TO_LABEL).move(listLeft, labelTop, toLabel_, label.bottom - label.top);
    item(IDC_VIEW_TO).move(listLeft + toLabel_ + 4, row, right - listLeft - toLabel_ - 4, rowHeight_ * 8);

    const int text = row + rowHeight_ + kGap;
    item(IDC_VIEW_TEXT).move(kEdge, text, right - kEdge, std::max(20, bottom - text));
    InvalidateRect(hwnd_, nullptr, TRUE);
}

INT_PTR MailViewer::onMessage(UINT message, WPARAM, LPARAM lParam, bool& handled) {
    switch (message) {
    case WM_SIZE:
        layout();
        handled = true;
        return TRUE;
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {kMinWidth, kMinHeight};
        handled = true;
        return TRUE;
    }
    case WM_MOVE:
        storePlacement();
        break;
    default:
        break;
    }
    handled = false;
    return 0;
}

// ---- the folder tree ----------------------------------------------------------------

void MailViewer::buildTree() {
    ui::TreeView tree = treeView(IDC_VIEW_TREE);
    nodes_.clear();
    for (const FixedNode& fixed : kFixedNodes) {
        HTREEITEM parent = fixed.parent ? itemOf(fixed.parent) : TVI_ROOT;
        HTREEITEM item = tree.insert(parent, fixed.label, fixed.id);
        nodes_.push_back({item, fixed.id, nodeFolder(fixed.id, places_), "", false});
    }
    tree.setHasChildren(itemOf(kMailboxesNode));
    addAccounts(util::listAccounts());
    for (int id : {kMailboxesNode, kSystemNode, kArchiveNode}) tree.expand(itemOf(id));
    updateImages();
}

// Every account (read in one pass, up to the first section without a name
// key) that has a name and no item yet gets one, in the order of the labels.
void MailViewer::addAccounts(const std::vector<util::StoredAccount>& accounts) {
    ui::TreeView tree = treeView(IDC_VIEW_TREE);
    HTREEITEM mailboxes = itemOf(kMailboxesNode);
    for (std::size_t n = 0; n < accounts.size(); ++n) {
        const int i = static_cast<int>(n);
        const util::StoredAccount& account = accounts[n];
        if (account.name.empty() || nodeWithId(i)) continue;
        std::string path = nodeFolder(i, places_, account.folder);
        HTREEITEM item = tree.insert(mailboxes, account.name, i, holdsMessages(path) ? 1 : 0, TVI_SORT);
        nodes_.push_back({item, i, path, account.name, false});
    }
}

// Items of accounts that are gone, renamed, or whose folder changed.
void MailViewer::pruneAccounts(const std::vector<util::StoredAccount>& accounts) {
    ui::TreeView tree = treeView(IDC_VIEW_TREE);
    for (auto node = nodes_.begin(); node != nodes_.end();) {
        bool stale = false;
        if (isAccountNode(node->id)) {
            const std::size_t at = static_cast<std::size_t>(node->id);
            stale = at >= accounts.size() || accounts[at].name.empty() || accounts[at].name != node->account ||
                    nodeFolder(node->id, places_, accounts[at].folder) != node->path;
        }
        if (stale) {
            tree.remove(node->item);
            node = nodes_.erase(node);
        } else {
            ++node;
        }
    }
}

MailViewer::Node* MailViewer::nodeOf(HTREEITEM item) {
    if (!item) return nullptr;
    for (Node& node : nodes_)
        if (node.item == item) return &node;
    return nullptr;
}

MailViewer::Node* MailViewer::nodeWithId(int id) {
    for (Node& node : nodes_)
        if (node.id == id) return &node;
    return nullptr;
}

HTREEITEM MailViewer::itemOf(int id) {
    Node* node = nodeWithId(id);
    return node ? node->item : nullptr;
}

void MailViewer::markSelected(const Node* selected) {
    for (Node& node : nodes_) node.selectedLast = selected && node.item == selected->item;
}

void MailViewer::updateImages() {
    ui::TreeView tree = treeView(IDC_VIEW_TREE);
    for (const Node& node : nodes_)
        if (!node.path.empty()) tree.setImage(node.item, holdsMessages(node.path) ? 1 : 0);
}

bool MailViewer::onNotify(const NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_VIEW_TREE) return false;
    const auto& change = reinterpret_cast<const NMTREEVIEWA&>(header);
    result = 0;
    switch (header.code) {
    case TVN_SELCHANGEDA:
    case TVN_SELCHANGEDW:
        if (!refreshing_) chooseFolder(nodeOf(change.itemNew.hItem));
        return true;
    case TVN_ITEMEXPANDEDA:
    case TVN_ITEMEXPANDEDW: {
        const Node* node = nodeOf(change.itemNew.hItem);
        if (!node || node->id != kMailboxesNode) return true;
        if (change.action == TVE_EXPAND) {
            addAccounts(util::listAccounts());
        } else if (change.action == TVE_COLLAPSE) {
            refreshing_ = true;
            pruneAccounts(util::listAccounts());
            refreshing_ = false;
        }
        updateImages();
        return true;
    }
    default:
        return false;
    }
}

// ---- the message list and the message shown -----------------------------------------

const MailViewer::Node* MailViewer::selectedNode() { return nodeOf(treeView(IDC_VIEW_TREE).selection()); }

std::string MailViewer::entryPath(int index) {
    const Node* node = selectedNode();
    if (!node) return {};
    return util::fileInFolder(node->path, listBox(IDC_VIEW_LIST).itemText(index));
}

void MailViewer::chooseFolder(const Node* node) {
    markSelected(node);
    listBox(IDC_VIEW_LIST).clear();
    clearMessage();
    if (!node || node->path.empty()) return;
    fillList(*node);
    if (listBox(IDC_VIEW_LIST).count() == 0) return;
    selectOnly(0);
    showMessage(0);
}

// One listing of the folder gives the messages and their hold markers.
void MailViewer::fillList(const Node& node) {
    ui::ListBox list = listBox(IDC_VIEW_LIST);
    const std::vector<util::FolderMessage> messages = util::listFolderMessages(node.path);
    list.setRedraw(false);
    list.clear();
    list.send(LB_INITSTORAGE, messages.size(), static_cast<LPARAM>(messages.size() * 32));
    for (const util::FolderMessage& message : messages)
        list.setData(list.add(message.name), messageStatus(node.id, message.held));
    list.setRedraw(true);
    InvalidateRect(list.handle(), nullptr, TRUE);
}

// The folder's list again, keeping the entry of the same file name; when it
// is gone, the one just above its old place (or the first) is shown.
void MailViewer::refill(const Node& node, const std::string& oldName, int oldIndex) {
    ui::ListBox list = listBox(IDC_VIEW_LIST);
    fillList(node);
    int count = list.count();
    if (count == 0) {
        clearMessage();
        return;
    }
    int index = oldName.empty() ? LB_ERR : list.findExact(oldName);
    if (index != LB_ERR) {
        selectOnly(index);
        return;
    }
    index = oldIndex > 0 ? std::min(oldIndex - 1, count - 1) : 0;
    selectOnly(index);
    showMessage(index);
}

void MailViewer::selectOnly(int index) {
    ui::ListBox list = listBox(IDC_VIEW_LIST);
    list.setSelected(-1, false);
    list.setSelected(index, true);
    list.send(LB_SETCARETINDEX, static_cast<WPARAM>(index), FALSE);
}

void MailViewer::clearMessage() {
    item(IDC_VIEW_FROM).setText("");
    comboBox(IDC_VIEW_TO).clear();
    item(IDC_VIEW_TEXT).setText("");
    ui::StatusBar status = statusBar(IDC_VIEW_STATUS);
    for (int part = 0; part < 3; ++part) status.setPartText(part, "");
}

void MailViewer::showCount() {
    statusBar(IDC_VIEW_STATUS).setPartText(1, messageCountText(listBox(IDC_VIEW_LIST).count()));
}

void MailViewer::showMessage(int index) {
    const std::string path = entryPath(index);
    WIN32_FILE_ATTRIBUTE_DATA info{};
    if (path.empty() || !GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info)) return;
    SYSTEMTIME changed{};
    FileTimeToSystemTime(&info.ftLastWriteTime, &changed);
    const std::uint64_t size = (static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    ui::StatusBar status = statusBar(IDC_VIEW_STATUS);
    status.setPartText(0, messageDateText(changed.wDay, changed.wMonth, changed.wYear, size));

    std::string bytes;
    if (!readFront(path, kShownBytes, bytes)) return;
    const bool truncated = size > kShownBytes;
    paper_.showHeaders(showHeaders_);
    setMessageText(messageFieldText(bytes, truncated, showHeaders_), truncated);

    std::string envelope;
    EnvelopeAddresses addresses;
    if (readFront(util::spoolPath(util::spoolBase(path), util::kEnvelopeExtension), 65536, envelope))
        addresses = envelopeAddresses(envelope);
    item(IDC_VIEW_FROM).setText(addresses.from);
    ui::ComboBox to = comboBox(IDC_VIEW_TO);
    to.clear();
    for (const std::string& recipient : addresses.to) to.add(recipient);
    to.select(0);

    showCount();
    status.setPartText(2, util::pathExists(lockPath(path)) ? kHeldText : "");
}

// Offered again, shorter each time, while the field refuses the text.
void MailViewer::setMessageText(std::string text, bool truncated) {
    HWND field = item(IDC_VIEW_TEXT).handle();
    while (!SetWindowTextA(field, text.c_str()) && text.size() > kRefusedCut) text = cutRefusedText(text, truncated);
}

void MailViewer::onDrawItem(const DRAWITEMSTRUCT& drawn) {
    if (drawn.CtlID != IDC_VIEW_LIST || drawn.itemID == static_cast<UINT>(-1)) return;
    std::string text = listEntryText(listBox(IDC_VIEW_LIST).itemText(static_cast<int>(drawn.itemID)));
    int state = static_cast<int>(drawn.itemData);
    ui::drawListItem(drawn, {states_.image.get(), states_.mask.get(), state * 20, 20, kItemHeight}, text.c_str(), 20,
                     listFont_.get());
}

void MailViewer::onMeasureItem(MEASUREITEMSTRUCT& measured) { measured.itemHeight = kItemHeight; }

// ---- RefreshView ------------------------------------------------------------------------

void MailViewer::refresh() {
    if (!hwnd_) return;
    ui::TreeView tree = treeView(IDC_VIEW_TREE);
    ui::ListBox list = listBox(IDC_VIEW_LIST);
    const Node* before = selectedNode();
    const bool hadAccount = before && isAccountNode(before->id);
    const int selectedId = before ? before->id : 0;
    std::vector<int> selected = list.selectedIndexes();
    const int oldIndex = selected.empty() ? -1 : selected.front();
    const std::string oldName = oldIndex >= 0 ? list.itemText(oldIndex) : "";

    refreshing_ = true;
    if (tree.expanded(itemOf(kMailboxesNode))) {
        const std::vector<util::StoredAccount> accounts = util::listAccounts();
        tree.setRedraw(false);
        pruneAccounts(accounts);
        addAccounts(accounts);
        if (hadAccount) {
            HTREEITEM again = itemOf(selectedId);
            tree.select(again ? again : itemOf(kMailboxesNode));
        }
        tree.setRedraw(true);
        if (hadAccount) {
            const Node* now = selectedNode();
            if (now && isAccountNode(now->id)) {
                markSelected(now);
                refill(*now, oldName, oldIndex);
            } else {
                chooseFolder(now);
            }
        }
    }
    for (int group : {kSystemNode, kArchiveNode}) {
        const Node* now = selectedNode();
        if (now && tree.expanded(itemOf(group)) && tree.parent(now->item) == itemOf(group))
            refill(*now, oldName, oldIndex);
    }
    refreshing_ = false;
    updateImages();
    showCount();
}

// ---- the process's one viewer -------------------------------------------------------------

const ui::WindowDefinition kMailViewerWindow{IDD_MAIL_VIEWER, kTips};

HWND showMailViewer(HWND parent) {
    if (viewer && viewer->isOpen()) return viewer->handle();
    delete viewer;
    viewer = new MailViewer;
    if (!viewer->create(parent)) {
        delete viewer;
        viewer = nullptr;
        return nullptr;
    }
    return viewer->handle();
}

void refreshMailViewer() {
    if (viewer && viewer->isOpen()) viewer->refresh();
}

}  // namespace monitor

extern "C" {

HWND UTILAPI ShowMailWindow(HWND parent) {
    return util::guarded<HWND>(nullptr, [&] { return monitor::showMailViewer(parent); });
}

int UTILAPI RefreshView(void) {
    return util::guarded(0, [] {
        monitor::refreshMailViewer();
        return 0;
    });
}

}  // extern "C"
