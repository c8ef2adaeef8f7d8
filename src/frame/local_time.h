// A broken-down local time as the platform reports it; the portable core
// takes time as a value so its rules can be tested at chosen moments.
#pragma once

namespace util {

struct LocalTime {
    int year = 1970;
    int month = 1;     // 1 to 12
    int day = 1;       // 1 to 31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 4;   // 0 is Sunday
    int millisecond = 0;
};

// English three-letter names, as the C library's date text writes them.
const char* monthAbbrev(int month);     // 1 to 12
const char* weekdayAbbrev(int weekday); // 0 (Sunday) to 6

// The day of the year from 0 (1 January) of a date in the Gregorian
// calendar; month 1 to 12.
int dayOfYear(int year, int month, int day);

}  // namespace util
