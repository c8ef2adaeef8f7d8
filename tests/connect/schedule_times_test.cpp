// Times of day as the schedule windows step, sort and store them, read the
// way OKToBeOnline reads them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connect/schedule_times.h"

using namespace util;

namespace {

TEST(ScheduleTimes, ReadAsTheCLibraryReadsHourColonMinute) {
    struct Row {
        const char* text;
        bool read;
        int hour, minute;
    } rows[] = {
        {"08:30", true, 8, 30}, {" 7: 5", true, 7, 5}, {"+9:-1", true, 9, -1}, {"12:30x", true, 12, 30},
        {"12", false, 0, 0},    {"12:", false, 0, 0},  {":30", false, 0, 0},   {"", false, 0, 0},
    };
    for (const Row& row : rows) {
        int hour = 0, minute = 0;
        EXPECT_EQ(readTimeOfDay(row.text, hour, minute), row.read) << row.text;
        if (row.read) EXPECT_EQ(hour * 60 + minute, row.hour * 60 + row.minute) << row.text;
    }
}

TEST(ScheduleTimes, HourStepsStayWithinTheirBounds) {
    EXPECT_EQ(stepHour("21:00", 1, 0, 22), "22:00");
    EXPECT_EQ(stepHour("22:00", 1, 0, 22), "22:00");
    EXPECT_EQ(stepHour("23:00", 1, 1, 24), "24:00");
    EXPECT_EQ(stepHour("24:00", 1, 1, 24), "24:00");
    EXPECT_EQ(stepHour("00:00", -1, 0, 22), "00:00");
    EXPECT_EQ(stepHour("9:00", -1, 0, 22), "08:00");
    EXPECT_EQ(stepHour("none", 1, 1, 24), "01:00") << "no hour reads as 0";
    EXPECT_EQ(hourOf("17:00"), 17);
    EXPECT_EQ(hourOf("x"), 0);
}

TEST(ScheduleTimes, QuarterStepsRunFromMidnightToAQuarterToMidnight) {
    EXPECT_EQ(stepQuarter("08:00", 2), "08:30");
    EXPECT_EQ(stepQuarter("7:5", 1), "07:20") << "from the typed time, not a quarter";
    EXPECT_EQ(stepQuarter("23:30", 3), "23:45");
    EXPECT_EQ(stepQuarter("00:10", -1), "00:00");
    EXPECT_EQ(stepQuarter("junk", 1), "00:15");
    EXPECT_EQ(stepQuarter("99:99", -1), "23:45") << "beyond the day: the last quarter";
}

TEST(ScheduleTimes, ListsSplitSortAndJoinAsStored) {
    EXPECT_EQ(splitTimes("08:00,12:30,"), (std::vector<std::string>{"08:00", "12:30"}));
    EXPECT_EQ(splitTimes(",,9:15,,10:00"), (std::vector<std::string>{"9:15", "10:00"}));
    EXPECT_TRUE(splitTimes("").empty());

    std::vector<std::string> list = {"07:45", "08:30", "bad", "12:30"};
    EXPECT_EQ(timeOrderPosition(list, "0:00"), 0u);
    EXPECT_EQ(timeOrderPosition(list, "8:00"), 1u) << "by time, not by text";
    EXPECT_EQ(timeOrderPosition(list, "08:30"), 2u) << "after an entry of the same time";
    EXPECT_EQ(timeOrderPosition({"07:45", "bad"}, "23:00"), 1u) << "unreadable entries sort last";
    EXPECT_EQ(timeOrderPosition({"07:45", "bad"}, "worse"), 2u);

    EXPECT_EQ(joinTimes({"7:45", "08:30"}), "7:45,08:30,");
    EXPECT_EQ(joinTimes({}), "");
}

}  // namespace
