#include "reminders/reminder_rules.h"

#include <algorithm>
#include <cstdint>

namespace util {
namespace {

constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Day numbers live in 32 bits unsigned, as ms.ini stores them.
std::uint32_t toDayNumber(std::int64_t value) {
    if (value < 0) return static_cast<std::uint32_t>(value);  // before 2000: wraps as the stored form does
    return static_cast<std::uint32_t>(std::min<std::int64_t>(value, UINT32_MAX));
}

std::int64_t dayNumberWide(std::int64_t year, std::int64_t yday) {
    if (year <= 2000) return yday;
    std::int64_t years = year - 2000;
    // Years 2000 .. year-1 divisible by 4.
    std::int64_t leaps = (year - 1) / 4 - 1999 / 4;
    return yday + years * 365 + leaps;
}

// Records may be edited by hand: arithmetic on their values is done wide.
std::int64_t startMinutes(const ReminderRecord& r) { return std::int64_t{r.hour} * 60 + r.min; }
std::int64_t nowMinutes(const ScanClock& now) { return std::int64_t{now.hour} * 60 + now.minute; }

std::uint32_t dayNumberOfDateWide(std::int64_t year, std::int64_t month, std::int64_t day) {
    // Months outside 0-11 run on into the neighbouring years.
    std::int64_t y = year + month / 12;
    std::int64_t m = month % 12;
    if (m < 0) {
        m += 12;
        --y;
    }
    std::int64_t yday = day - 1;
    for (int i = 0; i < m; ++i) yday += kMonthDays[i] + (i == 1 && y % 4 == 0 ? 1 : 0);
    return toDayNumber(dayNumberWide(y, yday));
}

}  // namespace

ScanClock scanClock(const LocalTime& t) {
    return ScanClock{t.year, t.month - 1, t.day, t.hour, t.minute, t.weekday, dayOfYear(t.year, t.month, t.day)};
}

std::uint32_t dayNumber(int year, int yday) { return toDayNumber(dayNumberWide(year, yday)); }

std::uint32_t dayNumberOfDate(int year, int month, int day) { return dayNumberOfDateWide(year, month, day); }

bool reminderStarted(const ReminderRecord& r, const ScanClock& now) {
    const int start[5] = {r.year, r.month, r.date, r.hour, r.min};
    const int current[5] = {now.year, now.month, now.day, now.hour, now.minute};
    for (int i = 0; i < 5; ++i)
        if (start[i] != current[i]) return start[i] < current[i];
    return true;
}

bool reminderSentToday(const ReminderRecord& r, const ScanClock& now) {
    return r.sentyear == now.year - 1900 && r.sentmonth == now.month && r.sentdate == now.day;
}

bool intervalUsable(const ReminderRecord& r) {
    if (r.rep2 < kDays || r.rep2 > kYears) return false;
    if (r.rep1 < 1) return false;
    if (r.rep2 == kMonths && r.date < 1) return false;
    return true;
}

ReminderAction reminderAction(const ReminderRecord& r, const ScanClock& now) {
    if (!reminderStarted(r, now)) return ReminderAction::Skip;
    const bool timeReached = startMinutes(r) <= nowMinutes(now);
    switch (r.reptype) {
    case kOnce:
        return ReminderAction::SendAndRemove;
    case kWeekly:
        // The first sending is at the start, whatever its weekday.
        if (r.sentyear != 0 && now.weekday != r.rep1) return ReminderAction::Skip;
        if (reminderSentToday(r, now) || !timeReached) return ReminderAction::Skip;
        return ReminderAction::SendAndStamp;
    case kYearly:
        if (r.sentyear != 0 && (now.day != r.rep1 || now.month != r.rep2)) return ReminderAction::Skip;
        if (reminderSentToday(r, now) || !timeReached) return ReminderAction::Skip;
        return ReminderAction::SendAndStamp;
    case kInterval: {
        if (!timeReached || reminderSentToday(r, now)) return ReminderAction::Skip;
        if (!intervalUsable(r)) return ReminderAction::Skip;
        std::uint32_t today = dayNumber(now.year, now.yday);
        if (r.nextdueday != 0 && r.nextdueday > today) return ReminderAction::Skip;
        return ReminderAction::SendAndStamp;
    }
    default:
        return ReminderAction::Skip;
    }
}

std::uint32_t nextDueDay(const ReminderRecord& r, const ScanClock& now) {
    if (!intervalUsable(r)) return r.nextdueday;
    const std::int64_t n = r.rep1;
    const std::int64_t today = dayNumber(now.year, now.yday);
    switch (r.rep2) {
    case kDays:
    case kWeeks: {
        // Keeps the phase of the stored day; the first time that of day 0.
        std::int64_t step = r.rep2 == kDays ? n : 7 * n;
        std::int64_t value = r.nextdueday;
        if (value <= today) value += ((today - value) / step + 1) * step;
        return toDayNumber(value);
    }
    case kMonths: {
        std::int64_t total = now.month + n;
        return dayNumberOfDateWide(now.year + total / 12, total % 12, r.date);
    }
    case kYears:
        return dayNumberOfDateWide(now.year + n, r.month, r.date);
    default:
        return r.nextdueday;
    }
}

void stampReminder(ReminderRecord& r, const ScanClock& now) {
    r.senthour = now.hour;
    r.sentmin = now.minute;
    r.sentdate = now.day;
    r.sentmonth = now.month;
    r.sentyear = now.year - 1900;
    if (r.reptype == kInterval) r.nextdueday = nextDueDay(r, now);
}

}  // namespace util
