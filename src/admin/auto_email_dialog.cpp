#include "admin/auto_email_dialog.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

#include "admin/auto_email_ids.h"
#include "admin/pages.h"
#include "admin/settings_page.h"
#include "frame/event_log.h"
#include "frame/install_folder.h"
#include "frame/paths.h"
#include "frame/spool_files.h"
#include "reminders/reminder_entry.h"
#include "reminders/reminder_text.h"
#include "ui/common_dialogs.h"
#include "ui/spin_edit.h"

namespace admin {
namespace {

using util::ReminderRecord;

constexpr ui::Tip kTips[] = {
    {IDC_AUTO_TIME, "Time to send the message"},
    {IDC_AUTO_DAY, "Date to send the message"},
    {IDC_AUTO_MONTH, "Month to send the message"},
    {IDC_AUTO_YEAR, "Year to send the message"},
    {IDC_AUTO_TO_USER, "Send to an internal user"},
    {IDC_AUTO_USER, "The user to send message to"},
    {IDC_AUTO_TO_ADDRESSES, "Send to one or more addresses"},
    {IDC_AUTO_ADDRESSES, "Enter one or more email addresses"},
    {IDC_AUTO_TO_LIST, "Send to everyone on an address list"},
    {IDC_AUTO_LIST, "The address list to use"},
    {IDC_AUTO_TO_ALL, "Send to all internal users"},
    {IDC_AUTO_SUBJECT, "The subject of the message"},
    {IDC_AUTO_LINE1, "The first line of the message"},
    {IDC_AUTO_LINE2, "The second line of the message"},
    {IDC_AUTO_LINE3, "The third line of the message"},
    {IDC_AUTO_LINE4, "The fourth line of the message"},
    {IDC_AUTO_ADD_ATTACH, "Attach a file to this message"},
    {IDC_AUTO_DELETE_ATTACH, "Remove the attachment from this message"},
    {IDC_AUTO_ONCE, "Send message once"},
    {IDC_AUTO_WEEKLY, "Send message every weekday"},
    {IDC_AUTO_WEEKDAY, "The weekday to send"},
    {IDC_AUTO_YEARLY, "Send message on every date"},
    {IDC_AUTO_YEARLY_DAY, "The repeat date"},
    {IDC_AUTO_YEARLY_MONTH, "The repeat month"},
    {IDC_AUTO_INTERVAL, "Send message at regular intervals"},
    {IDC_AUTO_COUNT, "The repeat frequency"},
    {IDC_AUTO_UNIT, "The repeat period"},
    {IDC_AUTO_SAVE, "Save changes"},
    {IDC_AUTO_CANCEL, "Cancel operation"},
};

constexpr int kUserControls[] = {IDC_AUTO_USER};
constexpr int kAddressControls[] = {IDC_AUTO_ADDRESSES};
constexpr int kListControls[] = {IDC_AUTO_LIST};
constexpr int kWeeklyControls[] = {IDC_AUTO_WEEKDAY};
constexpr int kYearlyControls[] = {IDC_AUTO_YEARLY_DAY, IDC_AUTO_YEARLY_DAY_SPIN, IDC_AUTO_YEARLY_MONTH};
constexpr int kIntervalControls[] = {IDC_AUTO_COUNT, IDC_AUTO_COUNT_SPIN, IDC_AUTO_UNIT};
constexpr ui::EnableRule kRules[] = {
    {IDC_AUTO_TO_USER, kUserControls},  {IDC_AUTO_TO_ADDRESSES, kAddressControls},
    {IDC_AUTO_TO_LIST, kListControls},  {IDC_AUTO_WEEKLY, kWeeklyControls},
    {IDC_AUTO_YEARLY, kYearlyControls}, {IDC_AUTO_INTERVAL, kIntervalControls},
};

// The radio buttons of the recipient kinds and of the repeat kinds, in the
// order of their values.
constexpr int kRecipientRadios[] = {IDC_AUTO_TO_USER, IDC_AUTO_TO_ADDRESSES, IDC_AUTO_TO_LIST, IDC_AUTO_TO_ALL};
constexpr int kRepeatRadios[] = {IDC_AUTO_ONCE, IDC_AUTO_WEEKLY, IDC_AUTO_YEARLY, IDC_AUTO_INTERVAL};
struct SpinEdit {
    int edit, spin;
};
constexpr SpinEdit kSpinEdits[] = {{IDC_AUTO_TIME, IDC_AUTO_TIME_SPIN},
                                   {IDC_AUTO_DAY, IDC_AUTO_DAY_SPIN},
                                   {IDC_AUTO_YEARLY_DAY, IDC_AUTO_YEARLY_DAY_SPIN},
                                   {IDC_AUTO_COUNT, IDC_AUTO_COUNT_SPIN}};
constexpr int kLineEdits[] = {IDC_AUTO_LINE1, IDC_AUTO_LINE2, IDC_AUTO_LINE3, IDC_AUTO_LINE4};

constexpr int kListedYears = 30;
constexpr int kTextLimit = 1023;
constexpr int kDefaultHour = 12;
constexpr int kDefaultCount = 2;

// The address lists: every "*.txt" of the install folder's "address lists"
// folder (made when missing), by name without the extension.
std::vector<std::string> addressListNames() {
    std::string folder = util::installFile("\\address lists");
    CreateDirectoryA(folder.c_str(), nullptr);
    std::vector<std::string> names;
    for (std::string name : util::listFileNames(folder + "\\*.txt")) {
        if (name.size() <= 4 || lstrcmpiA(name.c_str() + name.size() - 4, ".txt") != 0) continue;
        name.resize(name.size() - 4);
        names.push_back(name);
    }
    return names;
}

template <std::size_t N>
void copyField(const std::string& text, char (&field)[N]) {
    util::copyToBuffer(text, field, N);
}

int radioValue(const ui::Dialog& dialog, std::span<const int> radios) {
    for (std::size_t i = 0; i < radios.size(); ++i)
        if (dialog.button(radios[i]).checked()) return static_cast<int>(i);
    return 0;
}

class AutoEmailDialog final : public ui::ModalDialog {
public:
    AutoEmailDialog(ReminderRecord& record, bool isNew)
        : ModalDialog(kAutoEmailDialog), record_(record), isNew_(isNew) {}

protected:
    bool onOpen() override {
        // The attachment is pictured by the Attachments page's icon.
        picture(IDC_AUTO_PICTURE)
            .setIcon(LoadIconA(ui::moduleInstance(), MAKEINTRESOURCEA(pageNamed("attachments").icon)));
        const util::ScanClock now = util::scanClock(util::localTimeNow());
        ReminderRecord shown{};
        if (isNew_) {
            shown.hour = kDefaultHour;
            shown.date = now.day;
            shown.month = now.month;
            shown.year = now.year;
        } else {
            shown = record_;
        }
        fillChoices(now, shown.year);
        // The spins only report steps; a range from low to high makes up
        // a positive step.
        for (const SpinEdit& s : kSpinEdits) {
            ui::acceptSpinOnly(item(s.edit).handle());
            upDown(s.spin).setRange(0, 100);
        }
        edit(IDC_AUTO_ADDRESSES).limit(kTextLimit);
        edit(IDC_AUTO_SUBJECT).limit(kTextLimit);
        for (int id : kLineEdits) edit(id).limit(kTextLimit);
        show(shown, now);
        return true;
    }

    // Enter does not save; only Save does, after its checks.
    void onOk() override {}

    void onControl(int id, int code) override {
        if (code == CBN_SELCHANGE && (id == IDC_AUTO_MONTH || id == IDC_AUTO_YEAR)) {
            setNumber(IDC_AUTO_DAY, std::min(number(IDC_AUTO_DAY), startMonthLength()));
        } else if (code == CBN_SELCHANGE && id == IDC_AUTO_YEARLY_MONTH) {
            setNumber(IDC_AUTO_YEARLY_DAY, std::min(number(IDC_AUTO_YEARLY_DAY), yearlyMonthLength()));
        } else if (code != BN_CLICKED) {
            return;
        } else if (id == IDC_AUTO_ADD_ATTACH) {
            if (auto path = ui::chooseFileToOpen(hwnd_, {})) showAttachment(*path);
        } else if (id == IDC_AUTO_DELETE_ATTACH) {
            showAttachment("");
        } else if (id == IDC_AUTO_SAVE) {
            save();
        } else if (id == IDC_AUTO_CANCEL) {
            close(IDCANCEL);
        }
    }

    // The spins step their edits by their own rules; the spin itself never
    // moves.
    bool onNotify(const NMHDR& header, LRESULT& result) override {
        if (header.code != UDN_DELTAPOS) return false;
        const int direction = reinterpret_cast<const NMUPDOWN&>(header).iDelta > 0 ? 1 : -1;
        switch (header.idFrom) {
        case IDC_AUTO_TIME_SPIN: {
            int minutes = util::stepQuarterHour(startMinutes(), direction);
            item(IDC_AUTO_TIME).setText(util::clockText(minutes / 60, minutes % 60));
            break;
        }
        case IDC_AUTO_DAY_SPIN:
            setNumber(IDC_AUTO_DAY, util::stepWithin(number(IDC_AUTO_DAY), direction, 1, startMonthLength()));
            break;
        case IDC_AUTO_YEARLY_DAY_SPIN:
            setNumber(IDC_AUTO_YEARLY_DAY,
                      util::stepWithin(number(IDC_AUTO_YEARLY_DAY), direction, 1, yearlyMonthLength()));
            break;
        case IDC_AUTO_COUNT_SPIN:
            setNumber(IDC_AUTO_COUNT, util::stepWithin(number(IDC_AUTO_COUNT), direction, 1, util::kMaxIntervalCount));
            break;
        default:
            return false;
        }
        result = TRUE;
        return true;
    }

private:
    // The combos' entries. The years are this one and the 29 following; a
    // record's start year outside them is offered too, in its place, so
    // that saving an older repeating reminder does not move its start.
    void fillChoices(const util::ScanClock& now, int shownYear) const {
        for (int month = 1; month <= 12; ++month) {
            comboBox(IDC_AUTO_MONTH).add(util::monthAbbrev(month));
            comboBox(IDC_AUTO_YEARLY_MONTH).add(util::monthAbbrev(month));
        }
        ui::ComboBox years = comboBox(IDC_AUTO_YEAR);
        if (shownYear < now.year) years.add(std::to_string(shownYear));
        for (int year = now.year; year < now.year + kListedYears; ++year) years.add(std::to_string(year));
        if (shownYear >= now.year + kListedYears) years.add(std::to_string(shownYear));
        for (const char* day : util::kReminderWeekdays) comboBox(IDC_AUTO_WEEKDAY).add(day);
        for (const char* unit : util::kReminderUnits) comboBox(IDC_AUTO_UNIT).add(unit);
        for (const std::string& name : accountNames()) comboBox(IDC_AUTO_USER).add(name);
        for (const std::string& name : addressListNames()) comboBox(IDC_AUTO_LIST).add(name);
    }

    void show(const ReminderRecord& r, const util::ScanClock& now) const {
        item(IDC_AUTO_TIME).setText(util::clockText(r.hour, r.min));
        setNumber(IDC_AUTO_DAY, r.date);
        selectOrFirst(IDC_AUTO_MONTH, r.month);
        selectOrFirst(IDC_AUTO_YEAR, comboBox(IDC_AUTO_YEAR).findExact(std::to_string(r.year)));

        const bool knownRecipient = r.totype >= util::kToUser && r.totype <= util::kToAllUsers;
        button(kRecipientRadios[knownRecipient ? r.totype : util::kToUser]).check(true);
        const std::string todata = util::fieldText(r.todata);
        selectOrFirst(IDC_AUTO_USER, r.totype == util::kToUser ? comboBox(IDC_AUTO_USER).findExact(todata) : 0);
        if (r.totype == util::kToAddresses) item(IDC_AUTO_ADDRESSES).setText(todata);
        selectOrFirst(IDC_AUTO_LIST, r.totype == util::kToList ? comboBox(IDC_AUTO_LIST).findExact(todata) : 0);

        item(IDC_AUTO_SUBJECT).setText(util::fieldText(r.subject));
        const std::string lines[] = {util::fieldText(r.line0), util::fieldText(r.line1), util::fieldText(r.line2),
                                     util::fieldText(r.line3)};
        for (std::size_t i = 0; i < 4; ++i) item(kLineEdits[i]).setText(lines[i]);
        showAttachment(util::fieldText(r.attachment));

        // The repeat kinds not chosen show their defaults: Sunday, the 1st of
        // the current month, every 2 days.
        const bool knownRepeat = r.reptype >= util::kOnce && r.reptype <= util::kInterval;
        button(kRepeatRadios[knownRepeat ? r.reptype : util::kOnce]).check(true);
        selectOrFirst(IDC_AUTO_WEEKDAY, r.reptype == util::kWeekly ? r.rep1 : 0);
        setNumber(IDC_AUTO_YEARLY_DAY, r.reptype == util::kYearly ? r.rep1 : 1);
        selectOrFirst(IDC_AUTO_YEARLY_MONTH, r.reptype == util::kYearly ? r.rep2 : now.month);
        setNumber(IDC_AUTO_COUNT, r.reptype == util::kInterval ? r.rep1 : kDefaultCount);
        selectOrFirst(IDC_AUTO_UNIT, r.reptype == util::kInterval ? r.rep2 : util::kDays);
    }

    void showAttachment(const std::string& path) const {
        item(IDC_AUTO_ATTACHMENT).setText(path);
        item(IDC_AUTO_PICTURE).show(!path.empty());
    }

    void selectOrFirst(int combo, int index) const {
        ui::ComboBox box = comboBox(combo);
        box.select(index >= 0 && index < box.count() ? index : 0);
    }

    int number(int id) const { return ui::saturatingNumber(item(id).text(), INT_MIN, INT_MAX); }
    void setNumber(int id, int value) const { item(id).setText(std::to_string(value)); }

    // The time shown, within the day (a start typed into ms.ini by hand may
    // lie outside it).
    int startMinutes() const {
        int hour = 0, minute = 0;
        std::sscanf(item(IDC_AUTO_TIME).text().c_str(), "%d:%d", &hour, &minute);
        return std::clamp(hour, 0, 23) * 60 + std::clamp(minute, 0, 59);
    }
    int startMonthLength() const {
        return util::startMonthLength(number(IDC_AUTO_YEAR), comboBox(IDC_AUTO_MONTH).selection());
    }
    int yearlyMonthLength() const { return util::yearlyMonthLength(comboBox(IDC_AUTO_YEARLY_MONTH).selection()); }

    // The record the fields describe; every other field 0.
    ReminderRecord collect() const {
        ReminderRecord r{};
        r.hour = startMinutes() / 60;
        r.min = startMinutes() % 60;
        r.date = number(IDC_AUTO_DAY);
        r.month = comboBox(IDC_AUTO_MONTH).selection();
        r.year = ui::saturatingNumber(comboBox(IDC_AUTO_YEAR).selectedText(), INT_MIN, INT_MAX);
        copyField(item(IDC_AUTO_SUBJECT).text(), r.subject);
        copyField(item(IDC_AUTO_LINE1).text(), r.line0);
        copyField(item(IDC_AUTO_LINE2).text(), r.line1);
        copyField(item(IDC_AUTO_LINE3).text(), r.line2);
        copyField(item(IDC_AUTO_LINE4).text(), r.line3);
        r.totype = radioValue(*this, kRecipientRadios);
        if (r.totype == util::kToUser) copyField(comboBox(IDC_AUTO_USER).selectedText(), r.todata);
        if (r.totype == util::kToAddresses) copyField(item(IDC_AUTO_ADDRESSES).text(), r.todata);
        if (r.totype == util::kToList) copyField(comboBox(IDC_AUTO_LIST).selectedText(), r.todata);
        r.reptype = radioValue(*this, kRepeatRadios);
        if (r.reptype == util::kWeekly) r.rep1 = comboBox(IDC_AUTO_WEEKDAY).selection();
        if (r.reptype == util::kYearly) {
            r.rep1 = number(IDC_AUTO_YEARLY_DAY);
            r.rep2 = comboBox(IDC_AUTO_YEARLY_MONTH).selection();
        }
        if (r.reptype == util::kInterval) {
            r.rep1 = number(IDC_AUTO_COUNT);
            r.rep2 = comboBox(IDC_AUTO_UNIT).selection();
        }
        copyField(item(IDC_AUTO_ATTACHMENT).text(), r.attachment);
        return r;
    }

    void save() {
        ReminderRecord entry = collect();
        const util::ScanClock now = util::scanClock(util::localTimeNow());
        if (auto refusal = util::checkReminderEntry(entry, comboBox(IDC_AUTO_LIST).count() > 0, now)) {
            refuse(refusal->message, fieldControl(refusal->field), true);
            return;
        }
        if (!isNew_) {
            entry.senthour = record_.senthour;
            entry.sentmin = record_.sentmin;
            entry.sentdate = record_.sentdate;
            entry.sentmonth = record_.sentmonth;
            entry.sentyear = record_.sentyear;
            entry.nextdueday = record_.nextdueday;
        }
        record_ = entry;
        close(IDOK);
    }

    static int fieldControl(util::EntryField field) {
        switch (field) {
        case util::EntryField::StartDate: return IDC_AUTO_DAY;
        case util::EntryField::StartTime: return IDC_AUTO_TIME;
        case util::EntryField::Addresses: return IDC_AUTO_ADDRESSES;
        case util::EntryField::AddressList: return IDC_AUTO_LIST;
        case util::EntryField::Subject: return IDC_AUTO_SUBJECT;
        case util::EntryField::Lines: return IDC_AUTO_LINE1;
        }
        return IDC_AUTO_SUBJECT;
    }

    ReminderRecord& record_;
    const bool isNew_;
};

}  // namespace

const ui::WindowDefinition kAutoEmailDialog{IDD_AUTO_EMAIL, kTips, {}, kRules};

bool editReminder(HWND owner, ReminderRecord& record, bool isNew) {
    AutoEmailDialog dialog(record, isNew);
    return dialog.run(owner) == IDOK;
}

}  // namespace admin
