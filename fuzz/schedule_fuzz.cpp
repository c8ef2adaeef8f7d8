// The schedule's decision for any times list and window values: no fault,
// a status text for every known type, and "due now" exactly when it says to
// connect.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "connect/schedule.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 12) return 0;
    util::ScheduleSettings s;
    s.type = data[0] % 3;
    std::int32_t window[2];
    std::memcpy(window, data + 1, sizeof window);
    s.loTime = window[0];
    s.hiTime = window[1];
    s.interval = static_cast<std::int8_t>(data[9]);
    for (int day = 0; day < 7; ++day) {
        s.days[day] = (data[10] >> day) & 1;
        s.sets[0].days[day] = (data[11] >> day) & 1;
        s.sets[1].days[day] = !s.sets[0].days[day];
    }
    s.sets[0].times.assign(reinterpret_cast<const char*>(data + 12), size - 12);
    s.sets[1].times = s.sets[0].times;
    util::LocalTime now;
    now.weekday = data[10] % 7;
    now.hour = data[11] % 24;
    now.minute = data[9] % 60;
    int counter = data[1];
    util::ScheduleDecision d = util::decideSchedule(s, now, counter, data[2] & 1);
    if (!d.hasStatus || d.status.empty()) std::abort();
    if (d.connect != (d.status == "Scheduled connection due now")) std::abort();
    return 0;
}
