// The "Routing" page's behaviour: the routing filters of section routes,
// edited through a temporary copy (temp\ordinal.cdf under the install
// folder, sections routes and working, every change written to both at
// once) and copied to ms.ini at Apply. The list shows each filter with a
// picture of the mail it applies to and whether it is active; the controls
// below show the selected filter, whose changes are kept pending until the
// page moves to another filter or applies. Each action's parameter is
// chosen with the dialog, chooser or menu its action calls for.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "admin/filter_record.h"
#include "admin/routing_checks.h"
#include "admin/routing_dialogs.h"
#include "admin/routing_ids.h"
#include "admin/settings_page.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "frame/spool_files.h"
#include "ui/common_dialogs.h"
#include "ui/gdi.h"
#include "ui/message_box.h"
#include "ui/prompt.h"

namespace admin {
namespace {

constexpr ui::Tip kRoutingTips[] = {
    {IDC_ROUTE_LIST, "List of current routing filters"},
    {IDC_ROUTE_NEW, "Create a new routing filter"},
    {IDC_ROUTE_DELETE, "Delete a routing filter"},
    {IDC_ROUTE_DOWN, "Change order of routing filters"},
    {IDC_ROUTE_UP, "Change order of routing filters"},
    {IDC_ROUTE_ACTIVE, "Make routing filter active or inactive"},
    {IDC_ROUTE_INTERNAL, "Perform action on mail from users"},
    {IDC_ROUTE_EXTERNAL, "Perform action on mail from internet"},
    {IDC_ROUTE_ALL, "Perform action on all mail"},
    {IDC_ROUTE_SUBJECT1, "First condition that must be satisfied"},
    {IDC_ROUTE_OPERATOR1, "First condition that must be satisfied"},
    {IDC_ROUTE_VALUE1, "First condition that must be satisfied"},
    {IDC_ROUTE_CONJUNCTION, "Enable a further condition"},
    {IDC_ROUTE_SUBJECT2, "Second condition that must be satisfied"},
    {IDC_ROUTE_OPERATOR2, "Second condition that must be satisfied"},
    {IDC_ROUTE_VALUE2, "Second condition that must be satisfied"},
    {IDC_ROUTE_ACTION1, "First action to perform"},
    {IDC_ROUTE_ACTION2, "Second action to perform"},
    {IDC_ROUTE_ACTION3, "Third action to perform"},
    {IDC_ROUTE_ACTION4, "Fourth action to perform"},
    {IDC_ROUTE_ACTION5, "Fifth action to perform"},
    {IDC_ROUTE_PARAM2, "Action settings"},
    {IDC_ROUTE_PARAM3, "Action settings"},
    {IDC_ROUTE_PARAM4, "Action settings"},
    {IDC_ROUTE_PARAM1, "Action settings"},
    {IDC_ROUTE_PARAM5, "Action settings"},
};

// One limit for reading, renumbering and applying, so that no filter the
// page shows is dropped when it is written back.
constexpr int kMaxFilters = 4097;
// A stored value this short is not a filter (a record has 22 fields, each
// ended by "~"): it is left out, and the filters behind it are kept.
constexpr std::size_t kShortestRecord = 10;
constexpr int kMenuChoicesMax = 10;
constexpr int kFirstMenuCommand = 1011;
constexpr int kPromptLength = 256;
// The filter pictures are 40 pixels wide; the name follows them.
constexpr int kFilterPictureWidth = 40;

constexpr int kActionCombos[kActionSlots] = {IDC_ROUTE_ACTION1, IDC_ROUTE_ACTION2, IDC_ROUTE_ACTION3,
                                             IDC_ROUTE_ACTION4, IDC_ROUTE_ACTION5};
constexpr int kParameterButtons[kActionSlots] = {IDC_ROUTE_PARAM1, IDC_ROUTE_PARAM2, IDC_ROUTE_PARAM3,
                                                 IDC_ROUTE_PARAM4, IDC_ROUTE_PARAM5};
constexpr ui::RadioChoice kAppliesTo[] = {
    {IDC_ROUTE_INTERNAL, kInternalMail}, {IDC_ROUTE_EXTERNAL, kExternalMail}, {IDC_ROUTE_ALL, kAllMail}};
// Live only while a filter is shown.
constexpr int kFilterControls[] = {IDC_ROUTE_ACTIVE,   IDC_ROUTE_INTERNAL,  IDC_ROUTE_EXTERNAL, IDC_ROUTE_ALL,
                                   IDC_ROUTE_SUBJECT1, IDC_ROUTE_OPERATOR1, IDC_ROUTE_VALUE1,   IDC_ROUTE_DELETE};
constexpr int kSecondCondition[] = {IDC_ROUTE_SUBJECT2, IDC_ROUTE_OPERATOR2, IDC_ROUTE_VALUE2};

// The pictures of a kind of filter (by applies-to code 1, 2, 3) and their
// shared mask.
struct PictureIds {
    int applies;
    int active, inactive, mask;
};
constexpr PictureIds kPictureIds[] = {
    {kExternalMail, IDB_FILTER_EXTERNAL_ACTIVE, IDB_FILTER_EXTERNAL_INACTIVE, IDB_FILTER_EXTERNAL_MASK},
    {kInternalMail, IDB_FILTER_INTERNAL_ACTIVE, IDB_FILTER_INTERNAL_INACTIVE, IDB_FILTER_INTERNAL_MASK},
    {kAllMail, IDB_FILTER_ALL_ACTIVE, IDB_FILTER_ALL_INACTIVE, IDB_FILTER_ALL_MASK},
};

struct FileChooser {
    const char* title;
    const char* filter;
};
constexpr FileChooser kMailBackFile{"Email Back File", "Text Files (*.txt)\0*.txt\0All Files (*.*)\0*.*\0\0"};
constexpr FileChooser kProgramFile{
    "Execute a Program",
    "Executable Files (*.exe)\0*.exe\0Script Files (*.bat)\0*.bat\0All Files (*.*)\0*.*\0\0"};

// The page's working copy: an ms.ini-style file with the records in
// section routes and again in section working.
class ScratchCopy {
public:
    // A fresh, empty copy (its folder made when missing).
    void start() {
        path_ = util::installFile("\\temp\\ordinal.cdf");
        CreateDirectoryA(util::installFile("\\temp").c_str(), nullptr);
        remove();
    }
    void remove() const { DeleteFileA(path_.c_str()); }

    void write(int number, const std::string& record) const {
        for (const cfg::TextKey* key : {&cfg::kRouteOperation, &cfg::kWorkingOperation}) {
            cfg::Place at = cfg::place(*key, number);
            WritePrivateProfileStringA(at.section.c_str(), at.key.c_str(), record.c_str(), path_.c_str());
        }
    }

    // Both sections hold exactly these records, numbered from 0.
    void rewrite(const std::vector<std::string>& records) const {
        for (const cfg::TextKey* key : {&cfg::kRouteOperation, &cfg::kWorkingOperation}) {
            std::string lines;
            for (std::size_t i = 0; i < records.size(); ++i)
                lines += cfg::numbered(key->key, static_cast<int>(i)) + "=" + records[i] + '\0';
            lines += '\0';
            WritePrivateProfileSectionA(key->section, lines.c_str(), path_.c_str());
        }
    }

private:
    std::string path_;
};

bool usableFilter(const std::string& record) { return record.size() > kShortestRecord; }

// The filters up to the first missing key or the value "None"; a value
// that is no filter is left out and the filters behind it stay.
std::vector<std::string> storedFilters() {
    const util::ProfileLines stored = util::readSection(cfg::kRoutes);
    std::vector<std::string> records;
    const int count = util::familyLength(stored, cfg::kRouteOperation, kMaxFilters);
    for (int i = 0; i < count; ++i) {
        std::string record = util::read(stored, cfg::kRouteOperation, i);
        if (record == cfg::kRouteEnd) break;
        if (usableFilter(record)) records.push_back(std::move(record));
    }
    return records;
}

std::vector<std::string> localMailboxes() {
    std::vector<std::string> addresses;
    for (int i = 0; i < cfg::kMaxAccounts; ++i) {
        std::string address = util::read(cfg::kAccountAddress, i);
        if (address.empty()) break;
        addresses.push_back(std::move(address));
    }
    return mailboxChoices(addresses, util::read(cfg::kSingleDomain) != 0, util::read(cfg::kPrimaryDomainAsStored),
                          util::read(cfg::kAdministratorAddress));
}

std::vector<std::string> addressLists() {
    std::vector<std::string> names;
    for (const std::string& file : util::listFileNames(util::installFile("\\address lists\\*.txt")))
        names.push_back(addressListName(file));
    return names;
}

// A menu item shows "&" as itself.
std::string menuText(const std::string& choice) {
    std::string text;
    for (char c : choice) {
        text += c;
        if (c == '&') text += c;
    }
    return text;
}

class RoutingPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        fillCombos();
        loadPictures();
        scratch_.start();
        records_ = storedFilters();
        scratch_.rewrite(records_);
        reloadList();
        if (records_.empty()) {
            showNothing();
        } else {
            list().select(0);
            showFilter(0);
        }
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (id == IDC_ROUTE_LIST) {
            if (code == LBN_SELCHANGE) selectFilter(list().selection());
            if (code == LBN_DBLCLK) toggleActive(!filter_.isActive());
            return;
        }
        if (id == IDC_ROUTE_VALUE1 || id == IDC_ROUTE_VALUE2) return valueCommand(id, code);
        if (code == CBN_SELCHANGE) return comboChanged(id);
        if (code != BN_CLICKED) return;
        switch (id) {
        case IDC_ROUTE_NEW: addFilter(); break;
        case IDC_ROUTE_DELETE: deleteFilter(); break;
        case IDC_ROUTE_UP: moveFilter(-1); break;
        case IDC_ROUTE_DOWN: moveFilter(+1); break;
        case IDC_ROUTE_ACTIVE: toggleActive(button(IDC_ROUTE_ACTIVE).checked()); break;
        case IDCANCEL: scratch_.remove(); break;
        default:
            for (const ui::RadioChoice& c : kAppliesTo)
                if (c.control == id) setAppliesTo(c.value);
            for (int slot = 0; slot < kActionSlots; ++slot)
                if (kParameterButtons[slot] == id) chooseParameter(slot, false);
        }
    }

    // The right button on a parameter button.
    INT_PTR onMessage(UINT message, WPARAM wParam, LPARAM, bool& handled) override {
        handled = false;
        if (message != WM_CONTEXTMENU) return 0;
        for (int slot = 0; slot < kActionSlots; ++slot) {
            if (item(kParameterButtons[slot]).handle() != reinterpret_cast<HWND>(wParam)) continue;
            handled = true;
            if (item(kParameterButtons[slot]).enabled()) chooseParameter(slot, true);
        }
        return handled ? TRUE : FALSE;
    }

    void onDrawItem(const DRAWITEMSTRUCT& item) override {
        if (item.CtlID != IDC_ROUTE_LIST || item.itemID == static_cast<UINT>(-1)) return;
        const int index = static_cast<int>(item.itemID);
        if (index >= static_cast<int>(records_.size())) return;
        FilterRecord shown = index == shown_ ? filter_ : parseFilterRecord(records_[static_cast<std::size_t>(index)]);
        HBITMAP picture = nullptr, mask = nullptr;
        for (std::size_t kind = 0; kind < std::size(kPictureIds); ++kind) {
            if (kPictureIds[kind].applies != shown.appliesTo) continue;
            const Pictures& p = pictures_[kind];
            const ui::MaskedPicture& drawn = shown.isActive() ? p.active : p.inactive;
            picture = drawn.image.get();
            mask = drawn.mask.get();
        }
        ui::drawListItem(item, {picture, mask, 0, kFilterPictureWidth}, shown.name.c_str(), kFilterPictureWidth);
    }

    // The filters in their order, numbered from 0 without gaps.
    bool onApply() override {
        writePending();
        util::ProfileLines lines;
        int number = 0;
        for (std::size_t i = 0; i < records_.size() && number < kMaxFilters; ++i)
            if (usableFilter(records_[i])) util::put(lines, cfg::kRouteOperation, records_[i], number++);
        util::replaceSection(cfg::kRoutes, lines);
        return true;
    }

    void onReset() override { scratch_.remove(); }

private:
    struct Pictures {
        ui::MaskedPicture active, inactive;
    };

    ui::ListBox list() const { return listBox(IDC_ROUTE_LIST); }

    void fillCombos() const {
        auto fill = [this](int id, auto& names) {
            for (const char* name : names) comboBox(id).add(name);
            comboBox(id).select(0);
        };
        fill(IDC_ROUTE_SUBJECT1, kSubjectNames);
        fill(IDC_ROUTE_SUBJECT2, kSubjectNames);
        fill(IDC_ROUTE_OPERATOR1, kOperatorNames);
        fill(IDC_ROUTE_OPERATOR2, kOperatorNames);
        fill(IDC_ROUTE_CONJUNCTION, kConjunctionNames);
        for (int id : kActionCombos) {
            for (const ActionInfo& action : kActions) comboBox(id).add(action.name);
            comboBox(id).select(kNoOperation);
        }
        edit(IDC_ROUTE_VALUE1).limit(kFilterTextMax);
        edit(IDC_ROUTE_VALUE2).limit(kFilterTextMax);
    }

    // Twelve loads: each kind's two pictures, each with its mask.
    void loadPictures() {
        auto load = [this](int image, int mask) {
            ui::MaskedPicture picture = ui::loadMaskedPicture(image, mask);
            for (bool loaded : {static_cast<bool>(picture.image), static_cast<bool>(picture.mask)})
                if (!loaded) ui::messageBox(hwnd_, "Unable to load bitmaps ...", "Fatal error", MB_OK | MB_ICONSTOP);
            return picture;
        };
        for (std::size_t kind = 0; kind < std::size(kPictureIds); ++kind) {
            const PictureIds& ids = kPictureIds[kind];
            pictures_[kind] = {load(ids.active, ids.mask), load(ids.inactive, ids.mask)};
        }
    }

    void reloadList() const {
        list().clear();
        for (const std::string& record : records_) list().add(parseFilterRecord(record).name);
    }

    void redrawShown() const {
        RECT r{};
        if (shown_ >= 0 && list().send(LB_GETITEMRECT, static_cast<WPARAM>(shown_), reinterpret_cast<LPARAM>(&r)) != LB_ERR)
            InvalidateRect(list().handle(), &r, TRUE);
    }

    // ---- Showing a filter ---------------------------------------------------------
    void showFilter(int index) {
        shown_ = index;
        filter_ = parseFilterRecord(records_[static_cast<std::size_t>(index)]);
        pending_ = false;
        showControls();
    }

    void showNothing() {
        shown_ = -1;
        filter_ = newFilter("", 0);
        filter_.active = 0;
        pending_ = false;
        showControls();
    }

    void showControls() {
        showing_ = true;
        item(IDC_ROUTE_FILTER_NAME).setText(filter_.name);
        for (const ui::RadioChoice& c : kAppliesTo) button(c.control).check(filter_.appliesTo == c.value);
        button(IDC_ROUTE_ACTIVE).check(filter_.isActive());
        comboBox(IDC_ROUTE_SUBJECT1).select(filter_.first.subject);
        comboBox(IDC_ROUTE_OPERATOR1).select(filter_.first.op);
        item(IDC_ROUTE_VALUE1).setText(filter_.first.value);
        comboBox(IDC_ROUTE_CONJUNCTION).select(filter_.conjunction);
        comboBox(IDC_ROUTE_SUBJECT2).select(filter_.second.subject);
        comboBox(IDC_ROUTE_OPERATOR2).select(filter_.second.op);
        item(IDC_ROUTE_VALUE2).setText(filter_.second.value);
        showActions();
        showing_ = false;
    }

    void showActions() {
        for (int slot = 0; slot < kActionSlots; ++slot) {
            comboBox(kActionCombos[slot]).select(filter_.actions[static_cast<std::size_t>(slot)].code);
            showCaption(slot);
        }
        updateEnabling();
    }

    // The caption, cut to the button's width.
    void showCaption(int slot) const {
        ui::Window target = item(kParameterButtons[slot]);
        std::string caption = buttonCaption(filter_.actions[static_cast<std::size_t>(slot)]);
        HDC dc = GetDC(target.handle());
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(target.send(WM_GETFONT)));
        const RECT r = target.clientRect();
        const LONG room = r.right - r.left - 4 * GetSystemMetrics(SM_CXEDGE);
        caption = fitCaption(caption, [dc, room](std::string_view text) {
            SIZE size{};
            GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
            return size.cx <= room;
        });
        SelectObject(dc, old);
        ReleaseDC(target.handle(), dc);
        target.setText(caption);
    }

    void updateEnabling() const {
        const bool any = shown_ >= 0;
        for (int id : kFilterControls) item(id).enable(any);
        const bool conditioned = any && !filter_.first.value.empty();
        item(IDC_ROUTE_CONJUNCTION).enable(conditioned);
        for (int id : kSecondCondition) item(id).enable(conditioned && filter_.conjunction != 0);
        const int last = terminalSlot(filter_);
        for (int slot = 0; slot < kActionSlots; ++slot) {
            const bool live = conditioned && (last < 0 || slot <= last);
            item(kActionCombos[slot]).enable(live);
            item(kParameterButtons[slot]).enable(live);
        }
    }

    // ---- The pending filter -------------------------------------------------------
    void markPending() {
        if (shown_ < 0) return;
        pending_ = true;
        changed();
    }

    void writePending() {
        if (!pending_ || shown_ < 0) return;
        records_[static_cast<std::size_t>(shown_)] = formatFilterRecord(filter_);
        scratch_.write(shown_, records_[static_cast<std::size_t>(shown_)]);
        pending_ = false;
    }

    // ---- Editor events ------------------------------------------------------------
    void selectFilter(int index) {
        writePending();
        if (index >= 0 && index < static_cast<int>(records_.size())) showFilter(index);
    }

    void toggleActive(bool active) {
        if (shown_ < 0) return;
        filter_.active = active ? kActive : kInactive;
        button(IDC_ROUTE_ACTIVE).check(active);
        markPending();
        redrawShown();
    }

    void setAppliesTo(int code) {
        filter_.appliesTo = code;
        markPending();
        redrawShown();
    }

    void addFilter() {
        writePending();
        if (records_.size() >= kMaxFilters) return;
        FiltersAnswer answer = runFiltersDialog(
            hwnd_, {"New Filter", "Please enter a name for this filter...", "", false});
        if (answer.text.empty()) return;
        records_.push_back(formatFilterRecord(newFilter(answer.text, answer.appliesTo)));
        const int index = static_cast<int>(records_.size()) - 1;
        scratch_.write(index, records_.back());
        list().add(answer.text);
        list().select(index);
        showFilter(index);
        changed();
    }

    void deleteFilter() {
        writePending();
        const int index = list().selection();
        if (index < 0 || index >= static_cast<int>(records_.size())) return;
        records_.erase(records_.begin() + index);
        scratch_.rewrite(records_);
        reloadList();
        const int count = static_cast<int>(records_.size());
        if (count == 0) {
            showNothing();
        } else {
            const int next = index < count ? index : count - 1;
            list().select(next);
            showFilter(next);
        }
        changed();
    }

    void moveFilter(int step) {
        writePending();
        const int from = list().selection();
        const int to = from + step;
        const int count = static_cast<int>(records_.size());
        if (from < 0 || from >= count || to < 0 || to >= count) return;
        std::swap(records_[static_cast<std::size_t>(from)], records_[static_cast<std::size_t>(to)]);
        scratch_.write(from, records_[static_cast<std::size_t>(from)]);
        scratch_.write(to, records_[static_cast<std::size_t>(to)]);
        reloadList();
        list().select(to);
        showFilter(to);
        changed();
    }

    void comboChanged(int id) {
        const int index = comboBox(id).selection();
        if (index < 0) return;
        for (int slot = 0; slot < kActionSlots; ++slot) {
            if (kActionCombos[slot] != id) continue;
            chooseAction(filter_, slot, index);
            showActions();
            markPending();
            return;
        }
        switch (id) {
        case IDC_ROUTE_SUBJECT1: filter_.first.subject = index; break;
        case IDC_ROUTE_OPERATOR1: filter_.first.op = index; break;
        case IDC_ROUTE_SUBJECT2: filter_.second.subject = index; break;
        case IDC_ROUTE_OPERATOR2: filter_.second.op = index; break;
        case IDC_ROUTE_CONJUNCTION:
            filter_.conjunction = index;
            updateEnabling();
            break;
        default: return;
        }
        markPending();
    }

    void valueCommand(int id, int code) {
        ui::Edit value = edit(id);
        if (code == EN_SETFOCUS) value.selectAll();
        if (code != EN_CHANGE || showing_) return;
        std::string text = value.text();
        if (holdsFieldEnd(text)) {
            std::erase(text, kFieldEnd);
            showing_ = true;
            value.setText(text);
            showing_ = false;
            refuse(kFieldEndRefusal, id);
        }
        (id == IDC_ROUTE_VALUE1 ? filter_.first : filter_.second).value = text;
        markPending();
        if (id == IDC_ROUTE_VALUE1) updateEnabling();
    }

    // ---- Parameters ---------------------------------------------------------------
    void chooseParameter(int slot, bool rightButton) {
        const FilterAction& action = filter_.actions[static_cast<std::size_t>(slot)];
        const ActionInfo* info = actionInfo(action.code);
        if (!info) return;
        const bool editsText = info->parameter == ParameterKind::File || info->parameter == ParameterKind::Program;
        if (rightButton && editsText && !action.parameter.empty()) return editPath(slot, info->parameter);
        std::optional<std::string> chosen;
        switch (info->parameter) {
        case ParameterKind::PrintOptions: chosen = runAutoPrintingDialog(hwnd_, action.parameter); break;
        case ParameterKind::Address: {
            FiltersAnswer answer = runFiltersDialog(
                hwnd_, {"Email Address", "Please enter an email address...", action.parameter, true});
            if (!answer.text.empty()) chosen = answer.text;
            break;
        }
        case ParameterKind::Mailbox: chosen = chooseFrom(slot, localMailboxes(), "Please select the user..."); break;
        case ParameterKind::Folder: chosen = ui::chooseFolder(hwnd_, nullptr, "Select Folder", "Select"); break;
        case ParameterKind::File: chosen = chooseFile(kMailBackFile); break;
        case ParameterKind::Program: chosen = chooseFile(kProgramFile); break;
        case ParameterKind::AddressList: {
            std::vector<std::string> lists = addressLists();
            if (lists.empty()) {
                ui::showWarning(hwnd_, "You do not have any address lists...");
                return;
            }
            chosen = chooseFrom(slot, lists, "Please select the list...");
            break;
        }
        case ParameterKind::Relay: chosen = runRelayOptionsDialog(hwnd_, action.parameter); break;
        case ParameterKind::None: break;
        }
        if (chosen) setParameter(slot, *chosen);
    }

    // The right button on a file or program: its path or command line as text.
    void editPath(int slot, ParameterKind kind) {
        const std::string& current = filter_.actions[static_cast<std::size_t>(slot)].parameter;
        std::optional<std::string> entered =
            ui::prompt(hwnd_, {kind == ParameterKind::File ? "Edit name of file to be mailed back..."
                                                           : "Edit Exectuable program command line...",
                               current, kPromptLength});
        if (entered && !entered->empty() && *entered != current) setParameter(slot, *entered);
    }

    std::optional<std::string> chooseFile(const FileChooser& chooser) const {
        ui::OpenFileOptions options;
        options.title = chooser.title;
        options.filter = chooser.filter;
        return ui::chooseFileToOpen(hwnd_, options);
    }

    // Up to ten choices as a menu at the button, more in "Select...". The
    // hidden list keeps the choices last offered.
    std::optional<std::string> chooseFrom(int slot, const std::vector<std::string>& choices, const char* title) {
        ui::ListBox offered = listBox(IDC_ROUTE_MENU_CHOICES);
        offered.clear();
        for (const std::string& choice : choices) offered.add(choice);
        if (choices.empty()) return std::nullopt;
        const RECT at = item(kParameterButtons[slot]).windowRect();
        if (choices.size() > kMenuChoicesMax) {
            std::string chosen = runSelectChoiceDialog(hwnd_, title, choices, at);
            return chosen.empty() ? std::nullopt : std::optional<std::string>(chosen);
        }
        ui::OwnedMenu menu(CreatePopupMenu());
        for (std::size_t i = 0; i < choices.size(); ++i)
            AppendMenuA(menu.get(), MF_STRING, kFirstMenuCommand + i, menuText(choices[i]).c_str());
        const int command = TrackPopupMenu(menu.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD | TPM_NONOTIFY,
                                           at.left, at.bottom, 0, hwnd_, nullptr);
        if (command < kFirstMenuCommand || command >= kFirstMenuCommand + static_cast<int>(choices.size()))
            return std::nullopt;
        return choices[static_cast<std::size_t>(command - kFirstMenuCommand)];
    }

    // A new parameter is written to the record at once.
    void setParameter(int slot, const std::string& parameter) {
        if (holdsFieldEnd(parameter)) {
            refuse(kFieldEndRefusal, kParameterButtons[slot]);
            return;
        }
        filter_.actions[static_cast<std::size_t>(slot)].parameter = parameter;
        showCaption(slot);
        markPending();
        writePending();
    }

    ScratchCopy scratch_;
    std::vector<std::string> records_;  // the stored texts, in the order applied
    int shown_ = -1;
    FilterRecord filter_;               // the shown filter, with its pending changes
    bool pending_ = false;
    bool showing_ = false;              // the page is filling the controls itself
    Pictures pictures_[std::size(kPictureIds)];
};

}  // namespace

const PageDefinition pages::routing{{.dialog = IDD_PAGE_ROUTING, .tips = kRoutingTips}, behaviour<RoutingPage>};

}  // namespace admin
