#include "connect/schedule.h"

#include <cstdio>
#include <string_view>

#include "connect/schedule_times.h"

namespace util {
namespace {

constexpr const char* kWeekdayNames[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                          "Thursday", "Friday", "Saturday"};

template <typename... Args>
std::string format(const char* pattern, Args... args) {
    char text[96];
    std::snprintf(text, sizeof text, pattern, args...);
    return text;
}

int weekdayIndex(int weekday) { return weekday >= 0 && weekday < 7 ? weekday : 0; }

ScheduleDecision decision(std::string status, bool connect = false) {
    return ScheduleDecision{connect, true, std::move(status)};
}

ScheduleDecision intervalDecision(const ScheduleSettings& s, const LocalTime& now, int& counter, bool tick) {
    int day = weekdayIndex(now.weekday);
    if (!s.days[day]) {
        counter = 0;
        return decision(disabledOnText(day));
    }
    if (s.loTime <= now.hour && now.hour < s.hiTime) {
        if (tick) ++counter;
        if (counter < s.interval) return decision(format("Scheduled connection due in %d minutes", s.interval - counter));
        counter = 0;
        return decision("Scheduled connection due now", true);
    }
    counter = 0;
    if (now.hour < s.loTime) return decision(format("Scheduled connections disabled until %02d:00", s.loTime));
    return decision(format("Scheduled connections disabled after %02d:00", s.hiTime));
}

ScheduleDecision fixedTimesDecision(const ScheduleSettings& s, const LocalTime& now, int& counter) {
    counter = 0;
    int day = weekdayIndex(now.weekday);
    const TimeSet* set = nullptr;
    if (s.sets[0].days[day]) set = &s.sets[0];
    else if (s.sets[1].days[day]) set = &s.sets[1];
    else return decision(disabledOnText(day));

    long long nowMinutes = now.hour * 60LL + now.minute;
    std::string_view times = set->times;
    std::size_t start = 0;
    while (start <= times.size()) {
        std::size_t comma = times.find(',', start);
        std::size_t end = comma == std::string_view::npos ? times.size() : comma;
        std::string_view entry = times.substr(start, end - start);
        int hour = 0, minute = 0;
        if (!entry.empty() && readTimeOfDay(entry, hour, minute)) {
            long long t = hour * 60LL + minute;
            if (t == nowMinutes) return decision("Scheduled connection due now", true);
            if (t > nowMinutes) return decision(format("Scheduled connection due at %02d:%02d", hour, minute));
        }
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return decision("No further connections due today");
}

}  // namespace

std::string disabledOnText(int weekday) {
    return std::string("Scheduled connections disabled on ") + kWeekdayNames[weekdayIndex(weekday)];
}

ScheduleDecision decideSchedule(const ScheduleSettings& settings, const LocalTime& now, int& minuteCounter,
                                bool minuteTick) {
    switch (settings.type) {
    case 0:
        minuteCounter = 0;
        return decision("Scheduling disabled");
    case 1:
        return intervalDecision(settings, now, minuteCounter, minuteTick);
    case 2:
        return fixedTimesDecision(settings, now, minuteCounter);
    default:
        // The pages never write another type: nothing to say, no connection.
        return ScheduleDecision{};
    }
}

}  // namespace util
