// How the reminders page shows a record, and the editor's spins and checks.
#include <gtest/gtest.h>

#include <cstring>

#include "reminders/reminder_entry.h"
#include "reminders/reminder_text.h"

using namespace util;

namespace {

ReminderRecord record(int reptype, int rep1, int rep2) {
    ReminderRecord r{};
    r.reptype = reptype;
    r.rep1 = rep1;
    r.rep2 = rep2;
    return r;
}

// A record the editor would build: once, to one address, with a subject and a line.
ReminderRecord entry(int year, int month0, int day, int hour, int minute) {
    ReminderRecord r = record(kOnce, 0, 0);
    r.year = year;
    r.month = month0;
    r.date = day;
    r.hour = hour;
    r.min = minute;
    r.totype = kToAddresses;
    std::strcpy(r.todata, "ann@example.org");
    std::strcpy(r.subject, "Stock take");
    std::strcpy(r.line2, "Count the shelves");
    return r;
}

ScanClock at(int year, int month0, int day, int hour, int minute) {
    return ScanClock{year, month0, day, hour, minute, 0, 0};
}

const char* refusal(const ReminderRecord& r, const ScanClock& now, bool listAvailable = true) {
    auto refused = checkReminderEntry(r, listAvailable, now);
    return refused ? refused->message : "";
}

}  // namespace

TEST(ReminderPageText, ColumnsOfEachKind) {
    ReminderRecord r = record(kOnce, 0, 0);
    std::strcpy(r.todata, "Sales");
    r.totype = kToUser;
    EXPECT_EQ(reminderRecipientText(r), "Sales");
    r.totype = kToAddresses;
    EXPECT_EQ(reminderRecipientText(r), "Sales");
    r.totype = kToList;
    EXPECT_EQ(reminderRecipientText(r), "List Sales");
    r.totype = kToAllUsers;
    EXPECT_EQ(reminderRecipientText(r), "All users");

    r.hour = 9;
    r.min = 5;
    r.date = 7;
    r.month = 11;
    r.year = 2026;
    EXPECT_EQ(reminderStartText(r), "09:05  7 Dec 2026");
    r.date = 25;
    r.month = 0;
    EXPECT_EQ(reminderStartText(r), "09:05 25 Jan 2026");
    r.month = 12;
    EXPECT_EQ(reminderStartText(r), "09:05 25 ??? 2026") << "a hand-edited month outside 0-11";

    EXPECT_EQ(reminderRepeatText(record(kOnce, 5, 5)), "Single mailing");
    EXPECT_EQ(reminderRepeatText(record(kWeekly, 0, 0)), "Sent every Sunday");
    EXPECT_EQ(reminderRepeatText(record(kWeekly, 6, 0)), "Sent every Saturday");
    EXPECT_EQ(reminderRepeatText(record(kWeekly, 7, 0)), "Sent every ???");
    EXPECT_EQ(reminderRepeatText(record(kYearly, 25, 11)), "Sent every 25 Dec");
    EXPECT_EQ(reminderRepeatText(record(kYearly, 1, 1)), "Sent every  1 Feb");
    EXPECT_EQ(reminderRepeatText(record(kInterval, 2, 0)), "Sent every  2 days");
    EXPECT_EQ(reminderRepeatText(record(kInterval, 99, 3)), "Sent every 99 years");
    EXPECT_EQ(reminderRepeatText(record(kInterval, 3, -1)), "Sent every  3 ???");
    EXPECT_EQ(reminderRepeatText(record(4, 1, 1)), "");

    EXPECT_EQ(clockText(0, 0), "00:00");
    EXPECT_EQ(clockText(23, 45), "23:45");
}

TEST(ReminderPageText, FieldWithoutTerminatorEndsAtItsSize) {
    ReminderRecord r{};
    std::memset(r.attachment, 'x', sizeof r.attachment);
    EXPECT_EQ(fieldText(r.attachment).size(), sizeof r.attachment);
    std::strcpy(r.subject, "Hello");
    EXPECT_EQ(fieldText(r.subject), "Hello");
}

TEST(ReminderEditorSpins, TimeStepsInQuarterHoursWithinTheDay) {
    EXPECT_EQ(stepQuarterHour(0, -1), 0) << "00:00 down stays";
    EXPECT_EQ(stepQuarterHour(kLatestStartMinute, 1), kLatestStartMinute) << "23:45 up stays";
    EXPECT_EQ(stepQuarterHour(12 * 60 + 45, 1), 13 * 60) << "the minutes carry into the hour";
    EXPECT_EQ(stepQuarterHour(13 * 60, -1), 12 * 60 + 45);
    EXPECT_EQ(stepQuarterHour(12 * 60, 1), 12 * 60 + 15);
    // A start typed into ms.ini by hand goes onto the quarter hours.
    EXPECT_EQ(stepQuarterHour(12 * 60 + 7, 1), 12 * 60 + 15);
    EXPECT_EQ(stepQuarterHour(12 * 60 + 7, -1), 12 * 60);
    EXPECT_EQ(stepQuarterHour(23 * 60 + 50, 1), kLatestStartMinute);
    EXPECT_EQ(stepQuarterHour(-60, 1), 0);
}

TEST(ReminderEditorSpins, DaysWithinTheirMonth) {
    EXPECT_EQ(startMonthLength(2025, 1), 28);
    EXPECT_EQ(startMonthLength(2028, 1), 29);
    EXPECT_EQ(startMonthLength(2100, 1), 29) << "every year divisible by 4 is a leap year for the records";
    EXPECT_EQ(startMonthLength(2025, 3), 30);
    EXPECT_EQ(startMonthLength(2025, 11), 31);
    EXPECT_EQ(yearlyMonthLength(1), 28) << "no yearly reminder on 29 February";
    EXPECT_EQ(yearlyMonthLength(0), 31);
    EXPECT_EQ(yearlyMonthLength(10), 30);

    EXPECT_EQ(stepWithin(28, 1, 1, startMonthLength(2025, 1)), 28);
    EXPECT_EQ(stepWithin(31, 1, 1, startMonthLength(2025, 1)), 28) << "a day beyond the month is cut";
    EXPECT_EQ(stepWithin(1, -1, 1, 31), 1);
    EXPECT_EQ(stepWithin(5, -1, 1, 31), 4);
    EXPECT_EQ(stepWithin(kMaxIntervalCount, 1, 1, kMaxIntervalCount), 99);
    EXPECT_EQ(stepWithin(98, 1, 1, kMaxIntervalCount), 99);
}

TEST(ReminderEditorChecks, OnceStartMustLieAfterTheCurrentMinute) {
    const ScanClock now = at(2026, 4, 15, 10, 30);
    EXPECT_STREQ(refusal(entry(2026, 4, 15, 10, 30), now), "The start time has already passed");
    EXPECT_STREQ(refusal(entry(2026, 4, 15, 9, 59), now), "The start time has already passed");
    EXPECT_STREQ(refusal(entry(2026, 4, 15, 10, 31), now), "");
    EXPECT_STREQ(refusal(entry(2026, 4, 14, 23, 59), now), "The start date has already passed");
    EXPECT_STREQ(refusal(entry(2026, 3, 30, 12, 0), now), "The start date has already passed");
    EXPECT_STREQ(refusal(entry(2025, 11, 31, 12, 0), now), "The start date has already passed");
    EXPECT_STREQ(refusal(entry(2026, 4, 16, 0, 0), now), "");
    EXPECT_STREQ(refusal(entry(2027, 0, 1, 0, 0), now), "");
    // A repeating reminder may start in the past.
    ReminderRecord weekly = entry(2020, 0, 1, 0, 0);
    weekly.reptype = kWeekly;
    EXPECT_STREQ(refusal(weekly, now), "");
    EXPECT_EQ(checkReminderEntry(entry(2026, 4, 15, 10, 30), true, now)->field, EntryField::StartTime);
    EXPECT_EQ(checkReminderEntry(entry(2026, 4, 14, 10, 30), true, now)->field, EntryField::StartDate);
}

TEST(ReminderEditorChecks, RecipientsSubjectAndLinesInOrder) {
    const ScanClock now = at(2026, 4, 15, 10, 30);
    ReminderRecord r = entry(2026, 5, 1, 12, 0);
    r.todata[0] = '\0';
    r.subject[0] = '\0';
    EXPECT_STREQ(refusal(r, now), "Please enter the recipients of this message") << "recipients come first";
    std::strcpy(r.todata, "Ann Smith");
    EXPECT_STREQ(refusal(r, now), "Please enter valid email addresses");
    EXPECT_EQ(checkReminderEntry(r, true, now)->field, EntryField::Addresses);
    std::strcpy(r.todata, "Ann <ann@example.org>");
    EXPECT_STREQ(refusal(r, now), "Please enter a subject for this message");

    r.totype = kToList;
    EXPECT_STREQ(refusal(r, now, false), "You need to create an address list");
    EXPECT_EQ(checkReminderEntry(r, false, now)->field, EntryField::AddressList);
    r.totype = kToUser;
    r.todata[0] = '\0';
    EXPECT_STREQ(refusal(r, now, false), "Please enter a subject for this message")
        << "only the chosen kind of recipient is checked";

    std::strcpy(r.subject, " \t ");
    EXPECT_STREQ(refusal(r, now), "Please enter a subject for this message")
        << "ms.ini would read it back empty, ending the list there";
    std::strcpy(r.subject, "Stock take");
    r.line2[0] = '\0';
    EXPECT_STREQ(refusal(r, now), "Please enter at least one line of text for this message");
    EXPECT_EQ(checkReminderEntry(r, true, now)->field, EntryField::Lines);
    std::strcpy(r.line3, "x");
    EXPECT_STREQ(refusal(r, now), "");
}
