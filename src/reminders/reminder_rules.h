// Reminder records and the rules that decide when one is due. Everything
// here is a function of a record and the local time of one scan, so the
// rules can be tried at any moment.
#pragma once

#include <cstdint>

#include "frame/local_time.h"

namespace util {

// A scan reads "0auto0", "0auto1", ... up to this many records.
inline constexpr int kMaxReminders = 32000;

enum ReminderRecipients : std::int32_t { kToUser = 0, kToAddresses = 1, kToList = 2, kToAllUsers = 3 };
enum ReminderRepeat : std::int32_t { kOnce = 0, kWeekly = 1, kYearly = 2, kInterval = 3 };
enum ReminderUnit : std::int32_t { kDays = 0, kWeeks = 1, kMonths = 2, kYears = 3 };

// One record as ms.ini keeps it. Months count from 0; sentyear is the year
// minus 1900 (0: never sent), year is the full year. The reminders page
// keeps records of this layout, allocated zero-filled.
struct ReminderRecord {
    std::int32_t hour, min, date, month, year;
    std::int32_t senthour, sentmin, sentdate, sentmonth, sentyear;
    char subject[1024];
    char line0[1024];
    char line1[1024];
    char line2[1024];
    char line3[1024];
    std::int32_t totype;
    char todata[1024];
    std::int32_t reptype, rep1, rep2;
    std::uint32_t nextdueday;
    char attachment[260];
};

// The local time of one scan, in the terms of the records.
struct ScanClock {
    int year;     // full year
    int month;    // 0 to 11
    int day;      // 1 to 31
    int hour;
    int minute;
    int weekday;  // 0 is Sunday
    int yday;     // 0 is 1 January
};

ScanClock scanClock(const LocalTime& now);

// Days since 1 January 2000 (day 0) of the zero-based day d of year Y;
// every year divisible by 4 counts as a leap year. Years up to 2000 give d.
std::uint32_t dayNumber(int year, int yday);

// The day number of (year, zero-based month, day of month); a day beyond
// the month's length runs on into the following months.
std::uint32_t dayNumberOfDate(int year, int month, int day);

// The start (year, month, date, hour, min) is at or before now.
bool reminderStarted(const ReminderRecord& r, const ScanClock& now);
bool reminderSentToday(const ReminderRecord& r, const ScanClock& now);

// An interval record whose count is below 1, or a months record whose day
// of the month is below 1, never reaches a next due day after today; such a
// record is never due and stays as it is. So is one of an unknown unit.
bool intervalUsable(const ReminderRecord& r);

enum class ReminderAction {
    Skip,          // not due now
    SendAndRemove, // a once record: generate, then remove it from the list
    SendAndStamp,  // a repeating record: generate, stamp, write back
};

ReminderAction reminderAction(const ReminderRecord& r, const ScanClock& now);

// Records the sending at now; an interval record also gets its next due day.
void stampReminder(ReminderRecord& r, const ScanClock& now);

// The next due day of an interval record sent today (the record must be
// usable; an unusable one keeps its value).
std::uint32_t nextDueDay(const ReminderRecord& r, const ScanClock& now);

}  // namespace util
