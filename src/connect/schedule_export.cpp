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
// `times` holds at most 4,095 characters.
constexpr int kTimesSize = 4096;

TimeSet readTimeSet(const char* section) {
    TimeSet set;
    for (int day = 0; day < 7; ++day) set.days[day] = profileInt(section, weekdayKey(day), 0) != 0;
    set.times = profileString(section, "times", "", kTimesSize);
    return set;
}

ScheduleSettings readSchedule() {
    ScheduleSettings s;
    s.type = profileInt("schedule", "type", 0);
    s.interval = profileInt("schedule", "interval", 60);
    s.loTime = profileInt("schedule", "lotime", 8);
    s.hiTime = profileInt("schedule", "hitime", 17);
    for (int day = 0; day < 7; ++day) s.days[day] = profileInt("schedule", weekdayKey(day), 0) != 0;
    if (s.type == 2) {
        s.sets[0] = readTimeSet("schedule0");
        s.sets[1] = readTimeSet("schedule1");
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
