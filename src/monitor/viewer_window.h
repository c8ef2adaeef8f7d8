// The mailbox viewer's window: the folder tree with a node record for every
// item, the message list of the chosen folder, one message shown, and the
// buttons' actions (viewer_actions.cpp).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "accounts/accounts.h"
#include "monitor/message_field.h"
#include "monitor/viewer_folders.h"
#include "ui/gdi.h"
#include "ui/modal.h"

namespace monitor {

// The hold marker of a message file.
std::string lockPath(const std::string& messagePath);

class MailViewer final : public ui::ModelessWindow {
public:
    MailViewer();
    // RefreshView.
    void refresh();

private:
    struct Node {
        HTREEITEM item;
        int id;
        std::string path;     // empty for the three top-level items
        std::string account;  // an account's name, its item's label
        bool selectedLast;
    };

    bool onOpen() override;
    void onControl(int id, int code) override;
    bool onNotify(const NMHDR& header, LRESULT& result) override;
    void onDrawItem(const DRAWITEMSTRUCT& item) override;
    void onMeasureItem(MEASUREITEMSTRUCT& item) override;
    void onDestroy() override;
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

    // The tree.
    void buildTree();
    void addAccounts(const std::vector<util::StoredAccount>& accounts);
    void pruneAccounts(const std::vector<util::StoredAccount>& accounts);
    Node* nodeOf(HTREEITEM item);
    Node* nodeWithId(int id);
    HTREEITEM itemOf(int id);
    void markSelected(const Node* node);
    void updateImages();

    // The list and the message.
    void chooseFolder(const Node* node);
    void fillList(const Node& node);
    void refill(const Node& node, const std::string& oldName, int oldIndex);
    void selectOnly(int index);
    void clearMessage();
    void showMessage(int index);
    void setMessageText(std::string text, bool truncated);
    std::string entryPath(int index);
    const Node* selectedNode();
    void showCount();

    // The buttons (viewer_actions.cpp).
    void toggleHeaders();
    void deleteSelected();
    void holdSelected();
    void transferSelected();
    void editCurrent();
    void printMessage();
    void notifyClients();
    std::string labelOf(const Node& node) const;

    // Placement and layout.
    void place();
    void storePlacement();
    void layout();

    std::vector<Node> nodes_;
    Places places_;
    bool showHeaders_ = false;
    bool refreshing_ = false;
    bool opening_ = false;
    RuledPaper paper_;
    ui::OwnedImageList treeImages_;
    ui::MaskedPicture states_;
    ui::OwnedFont listFont_;
    // Sizes taken from the template at opening: the buttons' width, height
    // and pitch, the From and To row's height and the labels' widths.
    int buttonWidth_ = 75, buttonHeight_ = 23, buttonPitch_ = 28, rowHeight_ = 20, fromLabel_ = 30, toLabel_ = 20;
};

}  // namespace monitor
