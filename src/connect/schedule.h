// The connection schedule: whether the server should go online now, and
// the one-line text that tells the administrator when the next scheduled
// connection is due. A pure function of the settings, the local time and
// the minute counter, so every rule can be checked at chosen moments.
#pragma once

#include <array>
#include <string>

#include "frame/local_time.h"

namespace util {

enum class ScheduleType { Disabled = 0, Interval = 1, FixedTimes = 2 };

// One set of weekdays with its connection times ("schedule0", "schedule1").
struct TimeSet {
    std::array<bool, 7> days{};  // index 0 is Sunday
    std::string times;           // "08:00,12:30," as the dialog writes it
};

// What the schedule reads from ms.ini; the defaults are those of a
// configuration without the keys.
struct ScheduleSettings {
    int type = 0;
    int interval = 60;  // minutes, type 1
    int loTime = 8;     // first hour of the daily window
    int hiTime = 17;    // the window ends at the start of this hour
    std::array<bool, 7> days{};
    std::array<TimeSet, 2> sets{};
};

struct ScheduleDecision {
    bool connect = false;
    bool hasStatus = false;  // false only for an unknown schedule type
    std::string status;
};

// Decides for the local time `now`. `minuteCounter` is the count of ticks
// since the last scheduled connection inside the interval window; it is
// advanced when `minuteTick` is set and reset as the rules say.
ScheduleDecision decideSchedule(const ScheduleSettings& settings, const LocalTime& now, int& minuteCounter,
                                bool minuteTick);

// The fixed text for a weekday on which scheduled connections are off.
std::string disabledOnText(int weekday);

}  // namespace util
