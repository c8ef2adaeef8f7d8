#include "frame/event_line.h"

#include <cstdio>

namespace util {

int dayOfYear(int year, int month, int day) {
    constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    int yday = day - 1;
    for (int m = 0; m < month - 1 && m < 12; ++m) yday += kMonthDays[m] + (m == 1 && leap ? 1 : 0);
    return yday;
}

const char* monthAbbrev(int month) {
    static const char* const names[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    return month >= 1 && month <= 12 ? names[month - 1] : "???";
}

const char* weekdayAbbrev(int weekday) {
    static const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return weekday >= 0 && weekday <= 6 ? names[weekday] : "???";
}

std::string eventListLine(std::string_view text, const LocalTime& t) {
    text = text.substr(0, text.find('\n'));
    text = text.substr(0, text.find('\r'));
    char stamp[64];
    int n = std::snprintf(stamp, sizeof stamp, "\t%d %s %d\t%02d:%02d:%02d", t.day,
                          monthAbbrev(t.month), t.year, t.hour, t.minute, t.second);
    std::size_t room = kMaxEventLine - static_cast<std::size_t>(n);
    std::string line(text.substr(0, room));
    line.append(stamp, static_cast<std::size_t>(n));
    return line;
}

std::string cDateText(const LocalTime& t) {
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d", weekdayAbbrev(t.weekday),
                  monthAbbrev(t.month), t.day, t.hour, t.minute, t.second, t.year);
    return text;
}

std::string eventFileLine(std::string_view text, const LocalTime& t) {
    std::string line = cDateText(t);
    line += " : ";
    std::size_t room = kMaxEventLine - line.size() - 2;
    line += text.substr(0, room);
    line += "\r\n";
    return line;
}

}  // namespace util
