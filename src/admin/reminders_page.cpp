// The "Reminders" page's behaviour: the scheduled messages, one record per
// item of the list, held by the page while the sheet is open and written
// back whole at Apply. Each is edited in "Auto Email".
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "admin/auto_email_dialog.h"
#include "admin/reminders_ids.h"
#include "admin/settings_page.h"
#include "reminders/reminder_text.h"
#include "reminders/reminders.h"

namespace admin {
namespace {

constexpr ui::Tip kReminderTips[] = {
    {IDC_REM_LIST, "List of outstanding messages"},
    {IDC_REM_ADD, "Schedule a new message"},
    {IDC_REM_EDIT, "Edit a scheduled message"},
    {IDC_REM_DELETE, "Remove a scheduled message"},
    {IDC_REM_SEND_NOW, "Send the message right now"},
};

using util::ReminderRecord;

constexpr const char* kColumns[] = {"Subject", "To", "Date", "Repeated"};

std::string columnText(const ReminderRecord& r, int column) {
    switch (column) {
    case 0: return util::fieldText(r.subject);
    case 1: return util::reminderRecipientText(r);
    case 2: return util::reminderStartText(r);
    case 3: return util::reminderRepeatText(r);
    default: return {};
    }
}

class RemindersPage final : public SettingsPage {
public:
    using SettingsPage::SettingsPage;

protected:
    bool onOpen() override {
        ui::ListView list = listView(IDC_REM_LIST);
        list.setExtendedStyle(LVS_EX_FULLROWSELECT);
        const int quarter = list.clientRect().right / 4;
        for (int i = 0; i < 4; ++i) list.addColumn(i, kColumns[i], quarter);
        util::StoredReminders stored = util::readReminders();
        records_ = std::move(stored.records);
        span_ = stored.span;
        for (std::size_t i = 0; i < records_.size(); ++i) list.insertCallbackItem(static_cast<int>(i), 0);
        if (!records_.empty()) list.select(0);
        return true;
    }

    void onUserCommand(int id, int code) override {
        if (code != BN_CLICKED) return;
        switch (id) {
        case IDC_REM_ADD: add(); break;
        case IDC_REM_EDIT: editSelected(); break;
        case IDC_REM_DELETE: deleteSelected(); break;
        case IDC_REM_SEND_NOW:
            // The record itself stays as it is.
            if (const ReminderRecord* r = selected()) util::generateReminder(*r);
            break;
        default: break;
        }
    }

    bool onControlNotify(const NMHDR& header, LRESULT& result) override {
        if (header.idFrom != IDC_REM_LIST) return false;
        if (header.code == NM_DBLCLK) {
            editSelected();
            result = 0;
            return true;
        }
        if (header.code != LVN_GETDISPINFOA) return false;
        // The list asks for the texts of an item when it draws it.
        LVITEMA& item = const_cast<NMLVDISPINFOA&>(reinterpret_cast<const NMLVDISPINFOA&>(header)).item;
        if ((item.mask & LVIF_TEXT) && item.pszText && item.cchTextMax > 0 && item.iItem >= 0 &&
            static_cast<std::size_t>(item.iItem) < records_.size()) {
            std::string text = columnText(*records_[static_cast<std::size_t>(item.iItem)], item.iSubItem);
            lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
        }
        result = 0;
        return true;
    }

    // Every record section the list took goes, then the list's records are
    // written in its order, with their stamps as read or as the editor left
    // them; the next Apply replaces what this one wrote.
    bool write() override {
        util::rewriteReminders(span_, records_);
        span_ = static_cast<int>(records_.size());
        return true;
    }

private:
    ReminderRecord* selected() const {
        int index = listView(IDC_REM_LIST).selection();
        return index >= 0 && static_cast<std::size_t>(index) < records_.size() ? records_[index].get() : nullptr;
    }

    void add() {
        auto record = std::make_unique<ReminderRecord>();
        if (!editReminder(hwnd_, *record, true)) return;
        records_.push_back(std::move(record));
        int index = static_cast<int>(records_.size()) - 1;
        listView(IDC_REM_LIST).insertCallbackItem(index, 0);
        listView(IDC_REM_LIST).select(index);
        changed();
    }

    void editSelected() {
        ReminderRecord* record = selected();
        if (!record || !editReminder(hwnd_, *record, false)) return;
        int index = listView(IDC_REM_LIST).selection();
        listView(IDC_REM_LIST).redraw(index, index);
        changed();
    }

    void deleteSelected() {
        ui::ListView list = listView(IDC_REM_LIST);
        if (!selected()) return;
        int index = list.selection();
        records_.erase(records_.begin() + index);
        list.remove(index);
        if (list.count() > 0) list.select(std::min(index, list.count() - 1));
        changed();
    }

    std::vector<std::unique_ptr<ReminderRecord>> records_;
    int span_ = 0;  // the record sections the stored list takes
};

}  // namespace

const PageDefinition pages::reminders{{.dialog = IDD_PAGE_REMINDERS, .tips = kReminderTips}, behaviour<RemindersPage>};

}  // namespace admin
