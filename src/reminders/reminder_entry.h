// The rules of the reminder editor as functions of values: the ranges its
// spins step within and the checks its Save makes before a record is kept.
#pragma once

#include <optional>

#include "reminders/reminder_rules.h"

namespace util {

// The latest start the time spin offers, 23:45, in minutes of the day.
inline constexpr int kLatestStartMinute = 23 * 60 + 45;
// The interval count runs from 1 to 99.
inline constexpr int kMaxIntervalCount = 99;

// The time of day (in minutes) one quarter-hour step up (direction > 0) or
// down from minutes, on the quarter hours, never before 00:00 or after 23:45.
int stepQuarterHour(int minutes, int direction);

// value moved one step and kept within [low, high].
int stepWithin(int value, int direction, int low, int high);

// Days of a start month (0 to 11) in the records' calendar: February has 29
// in every year divisible by 4.
int startMonthLength(int year, int month);
// Days of a yearly date's month: February always has 28.
int yearlyMonthLength(int month);

// The editor field a refusal puts the focus on.
enum class EntryField { StartDate, StartTime, Addresses, AddressList, Subject, Lines };

struct EntryRefusal {
    EntryField field;
    const char* message;
};

// The first check the record made from the editor's fields fails, in the
// editor's order, or nothing. A subject of blanks counts as none. listAvailable: the address-list choice offers
// a list. now: the local time at Save.
std::optional<EntryRefusal> checkReminderEntry(const ReminderRecord& r, bool listAvailable, const ScanClock& now);

}  // namespace util
