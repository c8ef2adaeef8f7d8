// The "Attachments" page's behaviour: the candidate types and the kept
// types with the four move buttons, the senders whose attachments are kept
// (entered through the "Enter Information" prompt), the folder chooser,
// and Apply rewriting the attach section. The flags and the folder are
// bindings of the page's definition.
#include <memory>
#include <optional>
#include <string>

#include "admin/attachments_ids.h"
#include "admin/entry_rules.h"
#include "admin/folder_choice.h"
#include "admin/server_checks.h"
#include "admin/settings_page.h"
#include "frame/profile.h"
#include "ui/prompt.h"
#include "ui/record_editor.h"

namespace admin {
namespace {

constexpr ui::Tip kAttachmentTips[] = {
    {IDC_ATT_FOLDER, "The folder to save attachments in"},
    {IDC_ATT_ENABLE, "Enable attachment removal"},
    {IDC_ATT_TYPES, "Attachment extensions..."},
    {IDC_ATT_BROWSE, "Select the folder to save attachments in"},
    {IDC_ATT_ADD_TYPE, "Add single attachment type.."},
    {IDC_ATT_KEPT_TYPES, "Remove all attachments except these..."},
    {IDC_ATT_ADD_ALL, "Add all attachment types..."},
    {IDC_ATT_REMOVE_ALL, "Remove all attachment types"},
    {IDC_ATT_REMOVE_TYPE, "Remove single attachment type..."},
    {IDC_ATT_LEAVE_COPY, "Remove attachment from within the original message"},
    {IDC_ATT_ADD_ADDRESS, "Add senders email address..."},
    {IDC_ATT_REMOVE_ADDRESS, "Remove senders email address..."},
    {IDC_ATT_EDIT_ADDRESS, "Edit senders email address..."},
    {IDC_ATT_ADDRESSES, "Do not remove attachment if senders email address is listed..."},
};
constexpr ui::Binding kAttachmentBindings[] = {
    ui::check(IDC_ATT_ENABLE, cfg::kAttachmentsRemove),
    ui::check(IDC_ATT_LEAVE_COPY, cfg::kAttachmentsLeaveCopy),
    ui::text(IDC_ATT_FOLDER, cfg::kAttachmentsFolder),
};
constexpr int kAttachmentControls[] = {
    IDC_ATT_TYPES, IDC_ATT_ADD_TYPE, IDC_ATT_ADD_ALL, IDC_ATT_REMOVE_ALL, IDC_ATT_REMOVE_TYPE, IDC_ATT_KEPT_TYPES,
    IDC_ATT_ADDRESSES, IDC_ATT_ADD_ADDRESS, IDC_ATT_REMOVE_ADDRESS, IDC_ATT_EDIT_ADDRESS, IDC_ATT_FOLDER,
    IDC_ATT_BROWSE, IDC_ATT_LEAVE_COPY, IDC_ATT_LBL_TYPES, IDC_ATT_LBL_KEPT, IDC_ATT_LBL_ADDRESSES, IDC_ATT_LBL_FOLDER};
constexpr ui::EnableRule kAttachmentRules[] = {{IDC_ATT_ENABLE, kAttachmentControls}};

constexpr const char* kCandidateTypes[] = {"*.doc", "*.mdb", "*.mde", "*.pdf", "*.pps", "*.ppt", "*.xls", "*.zip"};
constexpr int kMaxAddress = 256;

class AttachmentsPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        for (const char* type : kCandidateTypes) listBox(IDC_ATT_TYPES).add(type);
        // Each list up to its first missing key; an empty entry is left out.
        const util::ProfileLines stored = util::readSection(cfg::kAttach);
        for (const std::string& type : util::listValues(stored, cfg::kKeptAttachmentType))
            listBox(IDC_ATT_KEPT_TYPES).add(type);
        for (const std::string& address : util::listValues(stored, cfg::kKeptAttachmentSender))
            listBox(IDC_ATT_ADDRESSES).add(address);
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        ui::ListBox kept = listBox(IDC_ATT_KEPT_TYPES);
        switch (id) {
        case IDC_ATT_ADD_TYPE:
            keepSelectedType();
            break;
        case IDC_ATT_ADD_ALL:
            kept.clear();
            for (const char* type : kCandidateTypes) kept.add(type);
            changed();
            break;
        case IDC_ATT_REMOVE_ALL:
            kept.clear();
            changed();
            break;
        case IDC_ATT_REMOVE_TYPE:
            if (kept.selection() != LB_ERR) kept.remove(kept.selection());
            kept.select(0);
            changed();
            break;
        case IDC_ATT_ADD_ADDRESS:
            enterAddress(false);
            break;
        case IDC_ATT_EDIT_ADDRESS:
            enterAddress(true);
            break;
        case IDC_ATT_REMOVE_ADDRESS:
            if (listBox(IDC_ATT_ADDRESSES).removeSelected()) changed();
            break;
        case IDC_ATT_BROWSE:
            if (auto folder = chooseSettingsFolder(hwnd_)) item(IDC_ATT_FOLDER).setText(*folder);
            break;
        default:
            break;
        }
    }

    // The kept types and senders replace the whole section; then the flags
    // and the folder (the bindings).
    bool onApply() override {
        util::ProfileLines lines;
        ui::ListBox kept = listBox(IDC_ATT_KEPT_TYPES);
        for (int i = 0; i < kept.count(); ++i) util::put(lines, cfg::kKeptAttachmentType, kept.itemText(i), i);
        ui::ListBox senders = listBox(IDC_ATT_ADDRESSES);
        for (int i = 0; i < senders.count(); ++i) util::put(lines, cfg::kKeptAttachmentSender, senders.itemText(i), i);
        util::replaceSection(cfg::kAttach, lines);
        saveBindings();
        return true;
    }

private:
    // A type already kept (or one it begins) is selected instead of added twice.
    void keepSelectedType() const {
        ui::ListBox candidates = listBox(IDC_ATT_TYPES);
        if (candidates.selection() == LB_ERR) return;
        std::string type = candidates.itemText(candidates.selection());
        ui::ListBox kept = listBox(IDC_ATT_KEPT_TYPES);
        int index = kept.findPrefix(type);
        if (index == LB_ERR) index = kept.add(type);
        kept.select(index);
        changed();
    }

    // Adds a sender, or replaces the selected one, from the prompt.
    void enterAddress(bool replace) {
        ui::ListBox senders = listBox(IDC_ATT_ADDRESSES);
        int index = senders.selection();
        if (replace && index == LB_ERR) return;
        std::optional<std::string> entry =
            replace ? ui::prompt(hwnd_, {"Edit email address", senders.itemText(index), kMaxAddress})
                    : ui::prompt(hwnd_, {"Enter email address", "", kMaxAddress});
        if (!entry || entry->empty()) return;
        if (!looksLikeAddress(*entry)) {
            refuse(std::string("Please enter a valid email address eg ") + kExampleAddress, IDC_ATT_ADDRESSES);
            return;
        }
        if (replace) {
            senders.remove(index);
            senders.insert(index, *entry);
        } else {
            index = senders.add(*entry);
        }
        senders.select(index);
        changed();
    }
};

}  // namespace

const PageDefinition pages::attachments{
    {.dialog = IDD_PAGE_ATTACHMENTS, .tips = kAttachmentTips, .bindings = kAttachmentBindings, .rules = kAttachmentRules},
    behaviour<AttachmentsPage>};

}  // namespace admin
