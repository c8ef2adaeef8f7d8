// Reading, writing and removing reminder records, and the scan.
#include <windows.h>

#include <cstdlib>
#include <memory>
#include <optional>

#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/paths.h"
#include "frame/profile.h"
#include "reminders/reminders.h"
#include "utilities.h"

namespace util {
namespace {

void readText(const ProfileLines& section, const cfg::TextKey& key, char* buffer, std::size_t size) {
    copyToBuffer(read(section, key), buffer, size);
}

// The list ends at the first section without a subject key; a record
// whose subject is empty is there but never sent.
bool isRecord(const ProfileLines& section) { return has(section, cfg::kReminderSubject); }
bool isUsable(const ProfileLines& section) { return !read(section, cfg::kReminderSubject).empty(); }

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

void readRecord(const ProfileLines& s, ReminderRecord& r) {
    for (const IntField& f : kIntFields) r.*f.field = read(s, f.key);
    readText(s, cfg::kReminderSubject, r.subject, sizeof r.subject);
    char* lines[4] = {r.line0, r.line1, r.line2, r.line3};
    for (int i = 0; i < 4; ++i) readText(s, cfg::kReminderLines[i], lines[i], sizeof r.line0);
    readText(s, cfg::kReminderToData, r.todata, sizeof r.todata);
    r.nextdueday = static_cast<std::uint32_t>(std::strtoul(read(s, cfg::kReminderNextDueDay).c_str(), nullptr, 10));
    readText(s, cfg::kReminderAttachment, r.attachment, sizeof r.attachment);
}

// The record's keys set in the section's lines, one by one in their order,
// as writing them key by key into the section leaves it.
void putRecord(ProfileLines& s, const ReminderRecord& r) {
    for (const IntField& f : kIntFields) put(s, f.key, r.*f.field);
    put(s, cfg::kReminderNextDueDay, std::to_string(r.nextdueday));
    put(s, cfg::kReminderSubject, r.subject);
    const char* lines[4] = {r.line0, r.line1, r.line2, r.line3};
    for (int i = 0; i < 4; ++i) put(s, cfg::kReminderLines[i], lines[i]);
    put(s, cfg::kReminderToData, r.todata);
    put(s, cfg::kReminderAttachment, r.attachment);
}

}  // namespace

std::string reminderSection(int index) { return cfg::numbered(cfg::kReminder, index); }

void readReminder(const char* section, ReminderRecord& r) { readRecord(readSection(section), r); }

void writeReminder(const char* section, const ReminderRecord& r) {
    ProfileLines lines = readSection(section);
    putRecord(lines, r);
    writeSection(section, lines);
}

StoredReminders readReminders() {
    StoredReminders stored;
    const ProfileSnapshot file;
    for (; stored.span < kMaxReminders; ++stored.span) {
        const ProfileLines section = file.section(cfg::kReminder, stored.span);
        if (!isRecord(section)) break;
        if (!isUsable(section)) continue;
        stored.records.push_back(std::make_unique<ReminderRecord>());
        readRecord(section, *stored.records.back());
    }
    return stored;
}

void rewriteReminders(int span, const std::vector<std::unique_ptr<ReminderRecord>>& records) {
    SectionEdits edits;
    for (int i = 0; i < span; ++i) edits.erase(reminderSection(i));
    for (std::size_t i = 0; i < records.size(); ++i) {
        const std::string section = reminderSection(static_cast<int>(i));
        ProfileLines lines = edits.current(section);
        putRecord(lines, *records[i]);
        edits.write(section, std::move(lines));
    }
    edits.commit();
}

void removeReminder(int index) {
    const ProfileSnapshot file;
    SectionEdits edits(&file);
    auto moved = std::make_unique<ReminderRecord>();
    int j = index + 1;
    for (; j < kMaxReminders; ++j) {
        const ProfileLines source = file.section(cfg::kReminder, j);
        if (!isRecord(source)) break;
        *moved = ReminderRecord{};
        readRecord(source, *moved);
        ProfileLines target = edits.current(reminderSection(j - 1));
        putRecord(target, *moved);
        edits.write(reminderSection(j - 1), std::move(target));
    }
    // The last record now stands twice (or, with none behind, the removed
    // one is the last).
    edits.erase(reminderSection(j - 1));
    edits.commit();
}

void checkReminders(const ScanClock& now) {
    auto record = std::make_unique<ReminderRecord>();
    // The file is read once, and again after each change the scan makes.
    std::optional<ProfileSnapshot> file;
    for (int i = 0; i < kMaxReminders;) {
        const std::string section = reminderSection(i);
        if (!file) file.emplace();
        const ProfileLines stored = file->section(section);
        if (!isRecord(stored)) break;
        if (!isUsable(stored)) {
            ++i;
            continue;
        }
        *record = ReminderRecord{};
        readRecord(stored, *record);
        switch (reminderAction(*record, now)) {
        case ReminderAction::Skip:
            ++i;
            break;
        case ReminderAction::SendAndRemove:
            // The record behind moves into this index and is examined next.
            generateReminder(*record);
            removeReminder(i);
            file.reset();
            break;
        case ReminderAction::SendAndStamp:
            generateReminder(*record);
            stampReminder(*record, now);
            writeReminder(section.c_str(), *record);
            file.reset();
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
