// OKToBeOnline: the schedule's answer and status text, from ms.ini and the
// local time.
#include <windows.h>

#include <string>

#include "connect/connect_state.h"
#include "connect/schedule.h"
#include "frame/event_log.h"
#include "frame/export_guard.h"
#include "frame/paths.h"
#include "frame/profile.h"
#include "utilities.h"

namespace util {
namespace {

// The longest status text has 43 characters; the caller's buffer is sized
// for it, so no more is ever copied, whatever ms.ini holds.
constexpr std::size_t kStatusTextSize = 44;

// The weekday flags of a schedule section; set numbers a time set's section.
std::array<bool, 7> readDays(const cfg::WeekKeys& keys, int set = -1) {
    std::array<bool, 7> days{};
    for (int day = 0; day < 7; ++day) days[day] = read(keys[day], set) != 0;
    return days;
}

TimeSet readTimeSet(int set) { return {readDays(cfg::kTimeSetDays, set), read(cfg::kTimeSetTimes, set)}; }

ScheduleSettings readSchedule() {
    ScheduleSettings s;
    s.type = read(cfg::kScheduleType);
    s.interval = read(cfg::kScheduleInterval);
    s.loTime = read(cfg::kScheduleFromHour);
    s.hiTime = read(cfg::kScheduleUntilHour);
    s.days = readDays(cfg::kScheduleDays);
    if (s.type == static_cast<int>(ScheduleType::FixedTimes)) {
        s.sets[0] = readTimeSet(0);
        s.sets[1] = readTimeSet(1);
    }
    return s;
}

int okToBeOnline(HWND statusWindow, int minuteTick, char* textOut) {
    ScheduleDecision d = decideSchedule(readSchedule(), localTimeNow(), connectState().minuteCounter, minuteTick != 0);
    if (!d.hasStatus) return 0;
    if (statusWindow) {
        SendMessageA(statusWindow, UTIL_MSG_STATUS, 0, reinterpret_cast<LPARAM>(d.status.c_str()));
        InvalidateRect(statusWindow, nullptr, TRUE);
    }
    if (textOut) copyToBuffer(d.status, textOut, kStatusTextSize);
    return d.connect ? 1 : 0;
}

}  // namespace
}  // namespace util

extern "C" int UTILAPI OKToBeOnline(HWND statusWindow, int minuteTick, char* textOut) {
    return util::guarded(0, [&] { return util::okToBeOnline(statusWindow, minuteTick, textOut); });
}
