#include <gtest/gtest.h>

#include "reminders/reminder_rules.h"

using namespace util;

namespace {

ScanClock at(int year, int month1, int day, int hour, int minute) {
    LocalTime t;
    t.year = year;
    t.month = month1;
    t.day = day;
    t.hour = hour;
    t.minute = minute;
    // Weekday by Zeller's rule, so the tests name only dates.
    int y = month1 < 3 ? year - 1 : year, m = month1 < 3 ? month1 + 12 : month1;
    int h = (day + 13 * (m + 1) / 5 + y % 100 + y % 100 / 4 + y / 100 / 4 + 5 * (y / 100)) % 7;
    t.weekday = (h + 6) % 7;
    return scanClock(t);
}

ReminderRecord record(int reptype, int year, int month0, int date, int hour, int minute) {
    ReminderRecord r{};
    r.reptype = reptype;
    r.year = year;
    r.month = month0;
    r.date = date;
    r.hour = hour;
    r.min = minute;
    r.rep1 = 1;
    r.rep2 = 1;
    return r;
}

// The clock of the day with the given day number, at a time of day.
ScanClock onDay(std::uint32_t number, int hour, int minute) {
    static const int lengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    int year = 2000, month = 1, day = 1;
    for (std::uint32_t n = 0; n < number; ++n) {
        int length = lengths[month - 1] + (month == 2 && year % 4 == 0 ? 1 : 0);
        if (++day > length) {
            day = 1;
            if (++month > 12) {
                month = 1;
                ++year;
            }
        }
    }
    return at(year, month, day, hour, minute);
}

}  // namespace

TEST(ReminderDays, DayNumbers) {
    EXPECT_EQ(dayNumber(2000, 0), 0u);
    EXPECT_EQ(dayNumberOfDate(2001, 0, 1), 366u);
    EXPECT_EQ(dayNumberOfDate(2004, 0, 1), 1461u);
    EXPECT_EQ(dayNumberOfDate(2004, 2, 1), 1521u);
    EXPECT_EQ(dayNumber(1999, 40), 40u);
    // Every year divisible by 4 is a leap year, 2100 included.
    EXPECT_EQ(dayNumberOfDate(2101, 0, 1) - dayNumberOfDate(2100, 0, 1), 366u);
    // A day beyond the month's end runs on.
    EXPECT_EQ(dayNumberOfDate(2003, 1, 30), dayNumberOfDate(2003, 2, 2));
    EXPECT_EQ(dayNumberOfDate(2004, 1, 30), dayNumberOfDate(2004, 2, 1));
    EXPECT_EQ(dayNumberOfDate(2003, 3, 31), dayNumberOfDate(2003, 4, 1));
    // The calendar's day of the year behind the clock.
    EXPECT_EQ(dayOfYear(2025, 12, 7), 340);
    EXPECT_EQ(dayOfYear(2024, 3, 1), 60);
    EXPECT_EQ(dayOfYear(2100, 3, 1), 59);
}

TEST(ReminderDue, OnceWaitsForItsStartToTheMinute) {
    ReminderRecord r = record(kOnce, 2026, 11, 7, 9, 30);
    EXPECT_EQ(reminderAction(r, at(2026, 12, 7, 9, 29)), ReminderAction::Skip);
    EXPECT_EQ(reminderAction(r, at(2026, 12, 7, 9, 30)), ReminderAction::SendAndRemove);
    EXPECT_EQ(reminderAction(r, at(2027, 1, 1, 0, 0)), ReminderAction::SendAndRemove);
    // The first unequal field decides: an earlier month with a later day has started.
    EXPECT_EQ(reminderAction(record(kOnce, 2026, 10, 30, 23, 59), at(2026, 12, 7, 0, 0)),
              ReminderAction::SendAndRemove);
    EXPECT_EQ(reminderAction(record(kOnce, 2027, 0, 1, 0, 0), at(2026, 12, 31, 23, 59)), ReminderAction::Skip);
}

TEST(ReminderDue, WeeklyFirstOnItsStartThenOnItsWeekday) {
    // Monday reminders starting on Thursday 4 December 2025 at 09:00.
    ReminderRecord r = record(kWeekly, 2025, 11, 4, 9, 0);
    r.rep1 = 1;
    EXPECT_EQ(reminderAction(r, at(2025, 12, 4, 8, 59)), ReminderAction::Skip);
    ScanClock thursday = at(2025, 12, 4, 9, 0);
    ASSERT_EQ(thursday.weekday, 4);
    ASSERT_EQ(reminderAction(r, thursday), ReminderAction::SendAndStamp);
    stampReminder(r, thursday);
    EXPECT_EQ(r.sentyear, 125);
    EXPECT_EQ(r.sentmonth, 11);
    EXPECT_EQ(r.sentdate, 4);
    EXPECT_EQ(reminderAction(r, at(2025, 12, 4, 17, 0)), ReminderAction::Skip);  // never twice a day
    EXPECT_EQ(reminderAction(r, at(2025, 12, 5, 9, 0)), ReminderAction::Skip);   // Friday
    EXPECT_EQ(reminderAction(r, at(2025, 12, 8, 8, 59)), ReminderAction::Skip);  // Monday, too early
    ScanClock monday = at(2025, 12, 8, 9, 1);
    ASSERT_EQ(reminderAction(r, monday), ReminderAction::SendAndStamp);
    stampReminder(r, monday);
    EXPECT_EQ(reminderAction(r, at(2025, 12, 8, 12, 0)), ReminderAction::Skip);
    EXPECT_EQ(reminderAction(r, at(2025, 12, 15, 9, 0)), ReminderAction::SendAndStamp);
}

TEST(ReminderDue, YearlyOnlyOnItsDateAfterTheFirstSending) {
    ReminderRecord r = record(kYearly, 2025, 0, 10, 8, 0);
    r.rep1 = 25;
    r.rep2 = 11;
    ScanClock first = at(2025, 1, 10, 8, 0);
    ASSERT_EQ(reminderAction(r, first), ReminderAction::SendAndStamp);
    stampReminder(r, first);
    EXPECT_EQ(reminderAction(r, at(2025, 1, 11, 8, 0)), ReminderAction::Skip);
    EXPECT_EQ(reminderAction(r, at(2025, 11, 25, 8, 0)), ReminderAction::Skip);
    EXPECT_EQ(reminderAction(r, at(2025, 12, 25, 7, 59)), ReminderAction::Skip);
    EXPECT_EQ(reminderAction(r, at(2025, 12, 25, 8, 0)), ReminderAction::SendAndStamp);
}

TEST(ReminderDue, NeverSentWhenTheYearStampIsZero) {
    ReminderRecord r = record(kWeekly, 2025, 0, 1, 0, 0);
    r.rep1 = 3;
    ScanClock today = at(2025, 12, 7, 10, 0);  // a Sunday
    r.sentdate = 7;
    r.sentmonth = 11;
    r.sentyear = 0;
    EXPECT_EQ(reminderAction(r, today), ReminderAction::SendAndStamp);
    r.sentyear = 125;
    EXPECT_EQ(reminderAction(r, today), ReminderAction::Skip);
}

TEST(ReminderDue, IntervalOfThreeDaysKeepsItsPhase) {
    ReminderRecord r = record(kInterval, 2000, 0, 1, 9, 0);
    r.rep1 = 3;
    r.rep2 = kDays;
    ScanClock day1000 = onDay(1000, 9, 0);
    ASSERT_EQ(dayNumber(day1000.year, day1000.yday), 1000u);
    ASSERT_EQ(reminderAction(r, day1000), ReminderAction::SendAndStamp);
    stampReminder(r, day1000);
    EXPECT_EQ(r.nextdueday, 1002u);
    EXPECT_EQ(reminderAction(r, onDay(1001, 23, 0)), ReminderAction::Skip);
    EXPECT_EQ(reminderAction(r, onDay(1002, 8, 59)), ReminderAction::Skip);
    ScanClock day1002 = onDay(1002, 9, 0);
    ASSERT_EQ(reminderAction(r, day1002), ReminderAction::SendAndStamp);
    stampReminder(r, day1002);
    EXPECT_EQ(r.nextdueday, 1005u);
    // A late sending keeps the phase: from day 1011 the next is 1014.
    ScanClock late = onDay(1011, 10, 0);
    ASSERT_EQ(reminderAction(r, late), ReminderAction::SendAndStamp);
    stampReminder(r, late);
    EXPECT_EQ(r.nextdueday, 1014u);

    ReminderRecord weeks = record(kInterval, 2000, 0, 1, 0, 0);
    weeks.rep1 = 2;
    weeks.rep2 = kWeeks;
    stampReminder(weeks, day1000);
    EXPECT_EQ(weeks.nextdueday, 1008u);  // the smallest multiple of 14 above 1000
}

TEST(ReminderDue, MonthsAndYearsUseTheRecordsDate) {
    ReminderRecord r = record(kInterval, 2025, 0, 31, 9, 0);
    r.rep1 = 1;
    r.rep2 = kMonths;
    ScanClock january = at(2025, 1, 31, 9, 0);
    ASSERT_EQ(reminderAction(r, january), ReminderAction::SendAndStamp);
    stampReminder(r, january);
    EXPECT_EQ(r.nextdueday, dayNumberOfDate(2025, 2, 3));  // 31 February is 3 March
    ScanClock leapJanuary = at(2028, 1, 31, 9, 0);
    EXPECT_EQ(nextDueDay(r, leapJanuary), dayNumberOfDate(2028, 2, 2));
    // Twelve months from December runs into the next year but one's December.
    r.rep1 = 12;
    EXPECT_EQ(nextDueDay(r, at(2025, 12, 1, 9, 0)), dayNumberOfDate(2026, 11, 31));

    ReminderRecord y = record(kInterval, 2025, 5, 15, 9, 0);
    y.rep1 = 2;
    y.rep2 = kYears;
    EXPECT_EQ(nextDueDay(y, at(2025, 8, 1, 9, 0)), dayNumberOfDate(2027, 5, 15));
}

TEST(ReminderDue, UnusableRecordsAreNeverDueAndStayUnchanged) {
    ScanClock now = at(2025, 12, 7, 12, 0);
    ReminderRecord zeroCount = record(kInterval, 2020, 0, 1, 0, 0);
    zeroCount.rep1 = 0;
    zeroCount.rep2 = kDays;
    EXPECT_EQ(reminderAction(zeroCount, now), ReminderAction::Skip);
    zeroCount.rep1 = -3;
    EXPECT_EQ(reminderAction(zeroCount, now), ReminderAction::Skip);
    EXPECT_EQ(nextDueDay(zeroCount, now), 0u);

    ReminderRecord noDate = record(kInterval, 2020, 0, 0, 0, 0);
    noDate.rep1 = 1;
    noDate.rep2 = kMonths;
    EXPECT_EQ(reminderAction(noDate, now), ReminderAction::Skip);

    ReminderRecord unknownUnit = record(kInterval, 2020, 0, 1, 0, 0);
    unknownUnit.rep2 = 4;
    EXPECT_EQ(reminderAction(unknownUnit, now), ReminderAction::Skip);
    ReminderRecord unknownKind = record(7, 2020, 0, 1, 0, 0);
    EXPECT_EQ(reminderAction(unknownKind, now), ReminderAction::Skip);
}
