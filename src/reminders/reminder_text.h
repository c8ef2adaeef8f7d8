// How the reminders page shows a record: the texts of its list's columns
// and the names its editor offers. Each is a function of the record alone.
#pragma once

#include <string>

#include "frame/clock_text.h"

#include "reminders/reminder_rules.h"

namespace util {

inline constexpr const char* kReminderWeekdays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                     "Thursday", "Friday", "Saturday"};
inline constexpr const char* kReminderUnits[4] = {"days", "weeks", "months", "years"};

// The column "To": the user or the addresses as given, "List <name>" for an
// address list, "All users".
std::string reminderRecipientText(const ReminderRecord& r);

// The column "Date": the start, "12:00  5 Mar 2026".
std::string reminderStartText(const ReminderRecord& r);

// The column "Repeated": "Single mailing", "Sent every Monday",
// "Sent every 25 Dec", "Sent every  2 weeks". A value outside its names
// shows as "???"; an unknown repeat kind as nothing.
std::string reminderRepeatText(const ReminderRecord& r);

// The text of one of the record's text fields, however it was filled (a
// field without its terminator ends at its size).
template <std::size_t N>
std::string fieldText(const char (&field)[N]) {
    std::size_t length = 0;
    while (length < N && field[length] != '\0') ++length;
    return std::string(field, length);
}

}  // namespace util
