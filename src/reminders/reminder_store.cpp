// Reading, writing and removing reminder records, and the scan.
#include <windows.h>

#include <cstdlib>
#include <memory>

#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/paths.h"
#include "frame/profile.h"
#include "reminders/reminders.h"
#include "utilities.h"

namespace util {
namespace {

void readText(const cfg::TextKey& key, const std::string& section, char* buffer, std::size_t size) {
    copyToBuffer(read(key, section), buffer, size);
}

bool hasSubject(const std::string& section) { return !read(cfg::kReminderSubject, section).empty(); }

// The integer fields of a record with their keys, in the order they are
// written.
struct IntField {
    const cfg::IntKey& key;
    std::int32_t ReminderRecord::*field;
};
const IntField kIntFields[] = {
    {cfg::kReminderHour, &ReminderRecord::hour},
    {cfg::kReminderMinute, &ReminderRecord::min},
    {cfg::kReminderDate, &ReminderRecord::date},
    {cfg::kReminderMonth, &ReminderRecord::month},
    {cfg::kReminderYear, &ReminderRecord::year},
    {cfg::kReminderSentHour, &ReminderRecord::senthour},
    {cfg::kReminderSentMinute, &ReminderRecord::sentmin},
    {cfg::kReminderSentDate, &ReminderRecord::sentdate},
    {cfg::kReminderSentMonth, &ReminderRecord::sentmonth},
    {cfg::kReminderSentYear, &ReminderRecord::sentyear},
    {cfg::kReminderToType, &ReminderRecord::totype},
    {cfg::kReminderRepeat, &ReminderRecord::reptype},
    {cfg::kReminderRepeat1, &ReminderRecord::rep1},
    {cfg::kReminderRepeat2, &ReminderRecord::rep2},
};

}  // namespace

std::string reminderSection(int index) { return cfg::numbered(cfg::kReminder, index); }

void readReminder(const char* section, ReminderRecord& r) {
    const std::string s = section;
    for (const IntField& f : kIntFields) r.*f.field = read(f.key, s);
    readText(cfg::kReminderSubject, s, r.subject, sizeof r.subject);
    char* lines[4] = {r.line0, r.line1, r.line2, r.line3};
    for (int i = 0; i < 4; ++i) readText(cfg::kReminderLines[i], s, lines[i], sizeof r.line0);
    readText(cfg::kReminderToData, s, r.todata, sizeof r.todata);
    r.nextdueday = static_cast<std::uint32_t>(std::strtoul(read(cfg::kReminderNextDueDay, s).c_str(), nullptr, 10));
    readText(cfg::kReminderAttachment, s, r.attachment, sizeof r.attachment);
}

void writeReminder(const char* section, const ReminderRecord& r) {
    const std::string s = section;
    for (const IntField& f : kIntFields) write(f.key, r.*f.field, s);
    write(cfg::kReminderNextDueDay, std::to_string(r.nextdueday), s);
    write(cfg::kReminderSubject, r.subject, s);
    const char* lines[4] = {r.line0, r.line1, r.line2, r.line3};
    for (int i = 0; i < 4; ++i) write(cfg::kReminderLines[i], lines[i], s);
    write(cfg::kReminderToData, r.todata, s);
    write(cfg::kReminderAttachment, r.attachment, s);
}

std::vector<std::unique_ptr<ReminderRecord>> readReminders() {
    std::vector<std::unique_ptr<ReminderRecord>> records;
    for (int i = 0; i < kMaxReminders && hasSubject(reminderSection(i)); ++i) {
        records.push_back(std::make_unique<ReminderRecord>());
        readReminder(reminderSection(i).c_str(), *records.back());
    }
    return records;
}

void eraseReminders() {
    for (int i = 0; i < kMaxReminders && hasSubject(reminderSection(i)); ++i)
        deleteProfileSection(reminderSection(i).c_str());
}

void removeReminder(int index) {
    auto moved = std::make_unique<ReminderRecord>();
    int j = index + 1;
    for (; j < kMaxReminders && hasSubject(reminderSection(j)); ++j) {
        *moved = ReminderRecord{};
        readReminder(reminderSection(j).c_str(), *moved);
        writeReminder(reminderSection(j - 1).c_str(), *moved);
    }
    // The last record now stands twice (or, with none behind, the removed
    // one is the last).
    eraseSection(cfg::kReminder, j - 1);
}

void checkReminders(const ScanClock& now) {
    auto record = std::make_unique<ReminderRecord>();
    for (int i = 0; i < kMaxReminders;) {
        std::string section = reminderSection(i);
        if (!hasSubject(section)) break;
        *record = ReminderRecord{};
        readReminder(section.c_str(), *record);
        switch (reminderAction(*record, now)) {
        case ReminderAction::Skip:
            ++i;
            break;
        case ReminderAction::SendAndRemove:
            // The record behind moves into this index and is examined next.
            generateReminder(*record);
            removeReminder(i);
            break;
        case ReminderAction::SendAndStamp:
            generateReminder(*record);
            stampReminder(*record, now);
            writeReminder(section.c_str(), *record);
            ++i;
            break;
        }
    }
}

}  // namespace util

extern "C" int UTILAPI CheckReminders(void) {
    return util::guarded(0, [] {
        util::checkReminders(util::scanClock(util::localTimeNow()));
        return 0;
    });
}
