// The due-time rules for any record (records can be edited by hand in
// ms.ini) at any valid moment: no fault, and a usable interval record that
// is sent gets a next due day after today.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "reminders/reminder_rules.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::int32_t v[14];
    if (size < sizeof v + 6) return 0;
    std::memcpy(v, data, sizeof v);
    const std::uint8_t* t = data + sizeof v;
    util::ReminderRecord r{};
    r.hour = v[0];
    r.min = v[1];
    r.date = v[2];
    r.month = v[3];
    r.year = v[4];
    r.senthour = v[5];
    r.sentmin = v[6];
    r.sentdate = v[7];
    r.sentmonth = v[8];
    r.sentyear = v[9];
    r.reptype = v[10];
    r.rep1 = v[11];
    r.rep2 = v[12];
    r.nextdueday = static_cast<std::uint32_t>(v[13]);

    util::LocalTime now;
    // Day numbers count from 2000; earlier years only give the day of the year.
    now.year = 2000 + t[0] % 200;
    now.month = 1 + t[1] % 12;
    now.day = 1 + t[2] % 28;
    now.hour = t[3] % 24;
    now.minute = t[4] % 60;
    now.weekday = t[5] % 7;
    util::ScanClock clock = util::scanClock(now);
    std::uint32_t today = util::dayNumber(clock.year, clock.yday);

    util::ReminderAction action = util::reminderAction(r, clock);
    if (action == util::ReminderAction::SendAndRemove && r.reptype != util::kOnce) std::abort();
    if (action != util::ReminderAction::SendAndStamp) return 0;
    util::stampReminder(r, clock);
    if (!util::reminderSentToday(r, clock)) std::abort();
    if (util::reminderAction(r, clock) != util::ReminderAction::Skip) std::abort();  // never twice a day
    if (r.reptype != util::kInterval) return 0;
    bool sensibleDate = r.date >= 1 && r.date <= 31 && r.month >= 0 && r.month <= 11;
    bool mustAdvance = r.rep2 == util::kDays || r.rep2 == util::kWeeks || r.rep2 == util::kMonths ||
                       (r.rep2 == util::kYears && sensibleDate);
    if (mustAdvance && r.nextdueday <= today) std::abort();
    return 0;
}
