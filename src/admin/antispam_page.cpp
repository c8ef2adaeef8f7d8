// The "Anti-Spam" page's behaviour: the black and white list files shown
// in their edits and rewritten whole at Apply, after which the change keys
// tell the matchers to reload them. Filtering and what happens to spam are
// bindings of the page's definition.
#include <windows.h>

#include <memory>
#include <string>

#include "admin/antispam_ids.h"
#include "admin/page_text.h"
#include "admin/settings_page.h"
#include "frame/install_folder.h"
#include "frame/profile.h"

namespace admin {
namespace {

constexpr ui::Tip kAntiSpamTips[] = {
    {IDC_SPAM_DELETE, "Delete message if spam..."},
    {IDC_SPAM_PREFIX, "Add {SPAM} to subject line..."},
    {IDC_SPAM_BLACK, "Black list of words or addresses..."},
    {IDC_SPAM_ENABLE, "Enable the anti-spam system..."},
    {IDC_SPAM_WHITE, "White list of words or addresses..."},
    {IDC_SPAM_ARCHIVE, "Place message in spam archive..."},
};
constexpr ui::RadioChoice kSpamActionChoices[] = {{IDC_SPAM_DELETE, 1}, {IDC_SPAM_PREFIX, 0}};
constexpr ui::Binding kAntiSpamBindings[] = {
    ui::check(IDC_SPAM_ENABLE, cfg::kSpamUse),
    ui::check(IDC_SPAM_ARCHIVE, cfg::kSpamArchive),
    ui::radio(cfg::kSpamKill, kSpamActionChoices),
};
constexpr int kSpamControls[] = {IDC_SPAM_BLACK,  IDC_SPAM_BLACK_LABEL,  IDC_SPAM_WHITE,  IDC_SPAM_WHITE_LABEL,
                                 IDC_SPAM_DELETE, IDC_SPAM_PREFIX,       IDC_SPAM_ARCHIVE, IDC_SPAM_ACTION_GROUP};
constexpr int kSpamArchiveControls[] = {IDC_SPAM_ARCHIVE};
constexpr ui::EnableRule kAntiSpamRules[] = {
    {IDC_SPAM_ENABLE, kSpamControls},
    {IDC_SPAM_PREFIX, kSpamArchiveControls, true},
};

constexpr char kListFolder[] = "\\spam lists";

struct ListFile {
    int edit;
    const char* name;
};
constexpr ListFile kLists[] = {{IDC_SPAM_BLACK, "\\black.txt"}, {IDC_SPAM_WHITE, "\\white.txt"}};

std::string listPath(const ListFile& list) { return util::installFile(kListFolder) + list.name; }

class AntiSpamPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        for (const ListFile& list : kLists) {
            ui::Edit edit = this->edit(list.edit);
            std::optional<std::string> bytes = readFileBytes(listPath(list));
            auto capacity = static_cast<std::size_t>(edit.send(EM_GETLIMITTEXT));
            edit.setText(bytes ? cutToFit(textForEdit(*bytes), capacity) : std::string());
        }
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (code == EN_CHANGE && (id == IDC_SPAM_BLACK || id == IDC_SPAM_WHITE)) changed();
    }

    // After the bindings: both files, then the change keys. A file that
    // cannot be opened is left as it was.
    bool write() override {
        CreateDirectoryA(util::installFile(kListFolder).c_str(), nullptr);
        for (const ListFile& list : kLists) writeLines(listPath(list), nonEmptyLines(item(list.edit).text()));
        util::write(cfg::kSpamWhiteChanged, 1);
        util::write(cfg::kSpamBlackChanged, 1);
        return true;
    }
};

}  // namespace

const PageDefinition pages::antispam{
    {.dialog = IDD_PAGE_ANTISPAM, .tips = kAntiSpamTips, .bindings = kAntiSpamBindings, .rules = kAntiSpamRules},
    behaviour<AntiSpamPage>};

}  // namespace admin
