#include "reminders/reminder_text.h"

#include <cstdio>

namespace util {
namespace {

template <std::size_t N>
const char* nameOf(const char* const (&names)[N], std::int32_t index) {
    return index >= 0 && static_cast<std::size_t>(index) < N ? names[index] : "???";
}

// "Jan" to "Dec" for a month counted from 0.
const char* monthName(std::int32_t month) { return month >= 0 && month < 12 ? monthAbbrev(month + 1) : "???"; }

}  // namespace

std::string reminderRecipientText(const ReminderRecord& r) {
    switch (r.totype) {
    case kToList:
        return "List " + fieldText(r.todata);
    case kToAllUsers:
        return "All users";
    default:
        return fieldText(r.todata);
    }
}

std::string reminderStartText(const ReminderRecord& r) {
    char text[96];
    std::snprintf(text, sizeof text, "%02d:%02d %2d %s %d", static_cast<int>(r.hour), static_cast<int>(r.min),
                  static_cast<int>(r.date), monthName(r.month), static_cast<int>(r.year));
    return text;
}

std::string reminderRepeatText(const ReminderRecord& r) {
    char text[96];
    switch (r.reptype) {
    case kOnce:
        return "Single mailing";
    case kWeekly:
        return std::string("Sent every ") + nameOf(kReminderWeekdays, r.rep1);
    case kYearly:
        std::snprintf(text, sizeof text, "Sent every %2d %s", static_cast<int>(r.rep1), monthName(r.rep2));
        return text;
    case kInterval:
        std::snprintf(text, sizeof text, "Sent every %2d %s", static_cast<int>(r.rep1), nameOf(kReminderUnits, r.rep2));
        return text;
    default:
        return {};
    }
}

}  // namespace util
