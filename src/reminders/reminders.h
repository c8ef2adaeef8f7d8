// Reminder records in ms.ini ("0auto%d" sections), the scan that sends the
// due ones, and the generator that turns a record into a message in tmp.
// The reminders page uses the same operations.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "reminders/reminder_rules.h"

namespace util {

// "0auto%d".
std::string reminderSection(int index);

// Reads every key of the section with its default.
void readReminder(const char* section, ReminderRecord& record);
// Writes the keys of a record; other keys of the section stay.
void writeReminder(const char* section, const ReminderRecord& record);

// The records as a scan sees them: from "0auto0" up to the first section
// without a subject key, at most kMaxReminders. A section whose subject is
// empty is no reminder: it is left out, and the records behind it are read
// on. span is the number of sections the list took, left-out ones included.
struct StoredReminders {
    std::vector<std::unique_ptr<ReminderRecord>> records;
    int span = 0;
};
StoredReminders readReminders();
// Deletes the first span record sections and writes these records to
// "0auto0", "0auto1", ... in their order, with one write of ms.ini.
void rewriteReminders(int span, const std::vector<std::unique_ptr<ReminderRecord>>& records);
// Removes record index and moves the records behind it (up to the first
// section without a subject key) one place down.
void removeReminder(int index);

// Writes the record's message and envelope into the install folder's tmp
// folder and logs the outcome; a failure leaves no file behind.
void generateReminder(const ReminderRecord& record);

// One scan of all records at the given local time.
void checkReminders(const ScanClock& now);

}  // namespace util
