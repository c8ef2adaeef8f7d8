// The "Aliases" page's behaviour: the server's aliases (section alias,
// map0, map1, ...), kept in the record editor while the page is open and
// rewritten whole at Apply. An alias converts an address to another
// address, to every address of an address list, or to all mailboxes.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "admin/address_list_files.h"
#include "admin/alias_record.h"
#include "admin/aliases_ids.h"
#include "admin/settings_page.h"
#include "frame/profile.h"
#include "resources/admin_ids.h"
#include "ui/gdi.h"
#include "ui/record_editor.h"

namespace admin {
namespace {

constexpr ui::Tip kAliasTips[] = {
    {IDC_ALIAS_TO_ADDRESS, "Convert one address to another"},
    {IDC_ALIAS_TO_LIST, "Expand one address to all addresses on mailing list"},
    {IDC_ALIAS_TO_ALL, "Expand one address to all addresses held on mail server"},
    {IDC_ALIAS_ADDRESS, "Enter the address to change"},
    {IDC_ALIAS_TARGET, "Enter the substitute address"},
    {IDC_ALIAS_LIST, "List of current aliases"},
    {IDC_ALIAS_NEW, "Create a new address alias"},
    {IDC_ALIAS_DELETE, "Remove an address alias"},
    {IDC_ALIAS_EDIT, "Change an address alias"},
    {IDC_ALIAS_SAVE, "Save alias"},
    {IDC_ALIAS_CANCEL, "Cancel operation"},
    {IDC_ALIAS_LIST_CHOICE, "Select a mailing list"},
};
constexpr int kAliasTargetControls[] = {IDC_ALIAS_TARGET};
constexpr int kAliasListControls[] = {IDC_ALIAS_LIST_CHOICE};
constexpr ui::EnableRule kAliasRules[] = {
    {IDC_ALIAS_TO_ADDRESS, kAliasTargetControls},
    {IDC_ALIAS_TO_LIST, kAliasListControls},
};

constexpr int kDetails[] = {IDC_ALIAS_ADDRESS, IDC_ALIAS_TO_ADDRESS, IDC_ALIAS_TO_LIST, IDC_ALIAS_TO_ALL,
                            IDC_ALIAS_TARGET,  IDC_ALIAS_LIST_CHOICE};
const ui::RecordEditorControls kEditor{.list = IDC_ALIAS_LIST, .add = IDC_ALIAS_NEW, .edit = IDC_ALIAS_EDIT,
                                       .remove = IDC_ALIAS_DELETE, .save = IDC_ALIAS_SAVE,
                                       .cancel = IDC_ALIAS_CANCEL, .editing = kDetails};

// The radio button of each alias type, in type order.
constexpr int kTypeButtons[] = {IDC_ALIAS_TO_ADDRESS, IDC_ALIAS_TO_LIST, IDC_ALIAS_TO_ALL};

class AliasesPage final : public SettingsPage, ui::RecordEditor<Alias>::Delegate {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        user_ = ui::loadMaskedPicture(IDB_USER, IDB_USER_MASK);
        for (const std::string& name : addressListNames()) comboBox(IDC_ALIAS_LIST_CHOICE).add(name);
        editor_.attach(hwnd_, *this);
        // Up to the first missing key; a record without pieces is left out
        // and the ones behind it stay.
        const util::ProfileLines stored = util::readSection(cfg::kAlias);
        std::vector<Alias> aliases;
        for (const std::string& record : util::listValues(stored, cfg::kAliasMap))
            if (std::optional<Alias> alias = parseAlias(record)) aliases.push_back(std::move(*alias));
        editor_.load(std::move(aliases));
        return true;
    }

    bool allows(int control) const override { return editor_.allows(control); }

    void onUserCommand(int id, int code) override { editor_.onCommand(id, code); }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        const Alias* alias = item.CtlID == IDC_ALIAS_LIST ? editor_.at(static_cast<int>(item.itemID)) : nullptr;
        if (alias) ui::drawPictureItem(item, user_, display(*alias).c_str());
    }

    bool write() override {
        util::ProfileLines lines;
        const auto& aliases = editor_.records();
        for (std::size_t i = 0; i < aliases.size(); ++i) util::put(lines, cfg::kAliasMap, aliasRecord(aliases[i]), static_cast<int>(i));
        util::replaceSection(cfg::kAlias, lines);
        return true;
    }

private:
    // The record editor's side.
    std::string display(const Alias& alias) const override { return aliasDisplay(alias); }

    void showRecord(const Alias& alias) override {
        // A type the page does not know is shown as a conversion to an address.
        int shown = alias.type == kToList || alias.type == kToAllMailboxes ? alias.type : kToAddress;
        item(IDC_ALIAS_ADDRESS).setText(alias.address);
        item(IDC_ALIAS_TARGET).setText(shown == kToAddress ? alias.target : std::string());
        ui::ComboBox lists = comboBox(IDC_ALIAS_LIST_CHOICE);
        int listIndex = shown == kToList ? lists.findExact(alias.target) : CB_ERR;
        lists.select(listIndex == CB_ERR ? 0 : listIndex);
        for (int type = kToAddress; type <= kToAllMailboxes; ++type) button(kTypeButtons[type]).check(type == shown);
        refreshEnabling();
    }

    void showFresh() override { showRecord(Alias{}); }

    void focusDetails(bool adding) override {
        edit(IDC_ALIAS_ADDRESS).focus();
        if (!adding) edit(IDC_ALIAS_ADDRESS).selectAll();
    }

    std::optional<Alias> collect(bool) override {
        Alias alias;
        alias.address = item(IDC_ALIAS_ADDRESS).text();
        for (int type = kToAddress; type <= kToAllMailboxes; ++type)
            if (button(kTypeButtons[type]).checked()) alias.type = type;
        if (alias.type == kToAddress) alias.target = item(IDC_ALIAS_TARGET).text();
        if (alias.type == kToList) alias.target = comboBox(IDC_ALIAS_LIST_CHOICE).selectedText();
        if (std::optional<AliasProblem> problem = checkAlias(alias)) {
            static constexpr int kFieldControl[] = {IDC_ALIAS_ADDRESS, IDC_ALIAS_TARGET, IDC_ALIAS_LIST_CHOICE};
            refuse(problem->message, kFieldControl[static_cast<int>(problem->field)]);
            return std::nullopt;
        }
        return alias;
    }

    void changed() override {
        SettingsPage::changed();
        updateButtons();
    }

    void modeChanged() override {
        refreshEnabling();
        updateButtons();
    }

    // While browsing, Delete and Edit need an alias to act on.
    void updateButtons() const {
        bool canAct = !editor_.editing() && !editor_.records().empty();
        item(IDC_ALIAS_DELETE).enable(canAct);
        item(IDC_ALIAS_EDIT).enable(canAct);
    }

    ui::RecordEditor<Alias> editor_{kEditor};
    ui::MaskedPicture user_;
};

}  // namespace

const PageDefinition pages::aliases{
    {.dialog = IDD_PAGE_ALIASES, .tips = kAliasTips, .rules = kAliasRules},
    behaviour<AliasesPage>};

}  // namespace admin
