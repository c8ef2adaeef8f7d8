#include "reminders/reminder_entry.h"

#include <algorithm>
#include <cstdint>

namespace util {
namespace {

constexpr int kQuarter = 15;

int floorDiv(int value, int by) { return value >= 0 ? value / by : -((-value + by - 1) / by); }

bool empty(const char* field) { return field[0] == '\0'; }

// ms.ini keeps no blanks around a value: a subject of blanks reads back
// empty, and would end the list of records there.
bool blank(const char* field, std::size_t size) {
    for (std::size_t i = 0; i < size && field[i] != '\0'; ++i)
        if (field[i] != ' ' && field[i] != '\t') return false;
    return true;
}

bool holdsAt(const char* field, std::size_t size) {
    for (std::size_t i = 0; i < size && field[i] != '\0'; ++i)
        if (field[i] == '@') return true;
    return false;
}

}  // namespace

int stepQuarterHour(int minutes, int direction) {
    int step = direction > 0 ? (floorDiv(minutes, kQuarter) + 1) * kQuarter
                             : floorDiv(minutes - 1, kQuarter) * kQuarter;
    return std::clamp(step, 0, kLatestStartMinute);
}

int stepWithin(int value, int direction, int low, int high) {
    return std::clamp(direction > 0 ? value + 1 : value - 1, low, high);
}

int startMonthLength(int year, int month) {
    if (month == 1) return year % 4 == 0 ? 29 : 28;
    return yearlyMonthLength(month);
}

int yearlyMonthLength(int month) {
    static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month >= 0 && month < 12 ? kLengths[month] : 31;
}

std::optional<EntryRefusal> checkReminderEntry(const ReminderRecord& r, bool listAvailable, const ScanClock& now) {
    if (r.reptype == kOnce) {
        const int start[3] = {r.year, r.month, r.date};
        const int today[3] = {now.year, now.month, now.day};
        if (std::lexicographical_compare(start, start + 3, today, today + 3))
            return EntryRefusal{EntryField::StartDate, "The start date has already passed"};
        if (std::equal(start, start + 3, today) && std::int64_t{r.hour} * 60 + r.min <= now.hour * 60 + now.minute)
            return EntryRefusal{EntryField::StartTime, "The start time has already passed"};
    }
    if (r.totype == kToAddresses) {
        if (empty(r.todata)) return EntryRefusal{EntryField::Addresses, "Please enter the recipients of this message"};
        if (!holdsAt(r.todata, sizeof r.todata))
            return EntryRefusal{EntryField::Addresses, "Please enter valid email addresses"};
    }
    if (r.totype == kToList && !listAvailable)
        return EntryRefusal{EntryField::AddressList, "You need to create an address list"};
    if (blank(r.subject, sizeof r.subject)) return EntryRefusal{EntryField::Subject, "Please enter a subject for this message"};
    if (empty(r.line0) && empty(r.line1) && empty(r.line2) && empty(r.line3))
        return EntryRefusal{EntryField::Lines, "Please enter at least one line of text for this message"};
    return std::nullopt;
}

}  // namespace util
