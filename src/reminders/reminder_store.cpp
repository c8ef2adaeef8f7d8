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

void readText(const char* section, const char* key, char* buffer, std::size_t size) {
    copyToBuffer(profileString(section, key, "", static_cast<int>(size)), buffer, size);
}

bool hasSubject(const std::string& section) { return !profileString(section.c_str(), "subject", "").empty(); }

}  // namespace

std::string reminderSection(int index) { return "0auto" + std::to_string(index); }

void readReminder(const char* section, ReminderRecord& r) {
    r.hour = profileInt(section, "hour", 12);
    r.min = profileInt(section, "min", 0);
    r.date = profileInt(section, "date", 1);
    r.month = profileInt(section, "month", 1);
    r.year = profileInt(section, "year", 2000);
    r.senthour = profileInt(section, "senthour", 0);
    r.sentmin = profileInt(section, "sentmin", 0);
    r.sentdate = profileInt(section, "sentdate", 0);
    r.sentmonth = profileInt(section, "sentmonth", 0);
    r.sentyear = profileInt(section, "sentyear", 0);
    readText(section, "subject", r.subject, sizeof r.subject);
    readText(section, "line0", r.line0, sizeof r.line0);
    readText(section, "line1", r.line1, sizeof r.line1);
    readText(section, "line2", r.line2, sizeof r.line2);
    readText(section, "line3", r.line3, sizeof r.line3);
    r.totype = profileInt(section, "totype", 0);
    readText(section, "todata", r.todata, sizeof r.todata);
    r.reptype = profileInt(section, "reptype", 0);
    r.rep1 = profileInt(section, "rep1", 1);
    r.rep2 = profileInt(section, "rep2", 1);
    r.nextdueday = static_cast<std::uint32_t>(std::strtoul(profileString(section, "nextdueday", "0").c_str(), nullptr, 10));
    readText(section, "attachment", r.attachment, sizeof r.attachment);
}

void writeReminder(const char* section, const ReminderRecord& r) {
    writeProfileInt(section, "hour", r.hour);
    writeProfileInt(section, "min", r.min);
    writeProfileInt(section, "date", r.date);
    writeProfileInt(section, "month", r.month);
    writeProfileInt(section, "year", r.year);
    writeProfileInt(section, "senthour", r.senthour);
    writeProfileInt(section, "sentmin", r.sentmin);
    writeProfileInt(section, "sentdate", r.sentdate);
    writeProfileInt(section, "sentmonth", r.sentmonth);
    writeProfileInt(section, "sentyear", r.sentyear);
    writeProfileInt(section, "totype", r.totype);
    writeProfileInt(section, "reptype", r.reptype);
    writeProfileInt(section, "rep1", r.rep1);
    writeProfileInt(section, "rep2", r.rep2);
    writeProfileString(section, "nextdueday", std::to_string(r.nextdueday));
    writeProfileString(section, "subject", r.subject);
    writeProfileString(section, "line0", r.line0);
    writeProfileString(section, "line1", r.line1);
    writeProfileString(section, "line2", r.line2);
    writeProfileString(section, "line3", r.line3);
    writeProfileString(section, "todata", r.todata);
    writeProfileString(section, "attachment", r.attachment);
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
    deleteProfileSection(reminderSection(j - 1).c_str());
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
