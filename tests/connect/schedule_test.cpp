// The connection schedule at chosen moments.
#include <gtest/gtest.h>

#include "connect/schedule.h"

using namespace util;

namespace {

LocalTime at(int weekday, int hour, int minute) {
    LocalTime t;
    t.weekday = weekday;
    t.hour = hour;
    t.minute = minute;
    return t;
}

constexpr int kSunday = 0, kMonday = 1, kWednesday = 3, kSaturday = 6;

ScheduleSettings everyDay(int interval) {
    ScheduleSettings s;
    s.type = 1;
    s.interval = interval;
    s.days.fill(true);
    return s;
}

ScheduleSettings fixedTimes(int set, int weekday, const std::string& times) {
    ScheduleSettings s;
    s.type = 2;
    s.sets[set].days[weekday] = true;
    s.sets[set].times = times;
    return s;
}

}  // namespace

TEST(Schedule, TypeZeroIsDisabledAndResetsTheCounter) {
    ScheduleSettings s;
    int counter = 12;
    auto d = decideSchedule(s, at(kMonday, 10, 0), counter, true);
    EXPECT_EQ(d.status, "Scheduling disabled");
    EXPECT_FALSE(d.connect);
    EXPECT_EQ(counter, 0);
}

TEST(Schedule, IntervalCountsDownOneTickAMinute) {
    ScheduleSettings s = everyDay(30);
    int counter = 0;
    for (int tick = 1; tick < 30; ++tick) {
        auto d = decideSchedule(s, at(kMonday, 9, tick - 1), counter, true);
        EXPECT_EQ(d.status, "Scheduled connection due in " + std::to_string(30 - tick) + " minutes") << tick;
        EXPECT_FALSE(d.connect);
        if (tick == 10) {
            // A refresh without a tick leaves the count alone.
            auto refresh = decideSchedule(s, at(kMonday, 9, 9), counter, false);
            EXPECT_EQ(refresh.status, "Scheduled connection due in 20 minutes");
        }
    }
    auto due = decideSchedule(s, at(kMonday, 9, 29), counter, true);
    EXPECT_EQ(due.status, "Scheduled connection due now");
    EXPECT_TRUE(due.connect);
    EXPECT_EQ(counter, 0);
    auto next = decideSchedule(s, at(kMonday, 9, 30), counter, true);
    EXPECT_EQ(next.status, "Scheduled connection due in 29 minutes");
}

TEST(Schedule, IntervalWindowEdges) {
    ScheduleSettings s = everyDay(60);
    int counter = 7;
    EXPECT_EQ(decideSchedule(s, at(kMonday, 7, 59), counter, true).status,
              "Scheduled connections disabled until 08:00");
    EXPECT_EQ(counter, 0) << "the counter restarts while the window is closed";
    EXPECT_EQ(decideSchedule(s, at(kMonday, 8, 0), counter, true).status, "Scheduled connection due in 59 minutes");
    EXPECT_EQ(decideSchedule(s, at(kMonday, 16, 59), counter, true).status, "Scheduled connection due in 58 minutes");
    EXPECT_EQ(decideSchedule(s, at(kMonday, 17, 0), counter, true).status,
              "Scheduled connections disabled after 17:00");
    EXPECT_EQ(counter, 0);

    s.loTime = 0;
    s.hiTime = 24;
    EXPECT_EQ(decideSchedule(s, at(kMonday, 23, 59), counter, false).status, "Scheduled connection due in 60 minutes");
    EXPECT_EQ(decideSchedule(s, at(kMonday, 0, 0), counter, false).status, "Scheduled connection due in 60 minutes");
}

TEST(Schedule, IntervalOnADisabledDay) {
    ScheduleSettings s = everyDay(60);
    s.days[kSunday] = false;
    int counter = 5;
    auto d = decideSchedule(s, at(kSunday, 10, 0), counter, true);
    EXPECT_EQ(d.status, "Scheduled connections disabled on Sunday");
    EXPECT_FALSE(d.connect);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(disabledOnText(kWednesday), "Scheduled connections disabled on Wednesday");
    EXPECT_EQ(disabledOnText(kWednesday).size(), 43u) << "the longest status text";
}

TEST(Schedule, FixedTimesAroundTheDay) {
    ScheduleSettings s = fixedTimes(0, kMonday, "08:00,12:30,");
    int counter = 9;
    auto before = decideSchedule(s, at(kMonday, 10, 15), counter, true);
    EXPECT_EQ(before.status, "Scheduled connection due at 12:30");
    EXPECT_FALSE(before.connect);
    EXPECT_EQ(counter, 0);
    EXPECT_EQ(decideSchedule(s, at(kMonday, 7, 0), counter, true).status, "Scheduled connection due at 08:00");
    auto now = decideSchedule(s, at(kMonday, 12, 30), counter, false);
    EXPECT_EQ(now.status, "Scheduled connection due now");
    EXPECT_TRUE(now.connect);
    auto after = decideSchedule(s, at(kMonday, 13, 0), counter, true);
    EXPECT_EQ(after.status, "No further connections due today");
    EXPECT_FALSE(after.connect);
}

TEST(Schedule, FixedTimesChooseTheSetOfTheDay) {
    ScheduleSettings s = fixedTimes(1, kSaturday, "10:00,");
    s.sets[0].days[kMonday] = true;
    s.sets[0].times = "09:00,";
    int counter = 0;
    EXPECT_EQ(decideSchedule(s, at(kSaturday, 8, 0), counter, false).status, "Scheduled connection due at 10:00");
    EXPECT_EQ(decideSchedule(s, at(kMonday, 8, 0), counter, false).status, "Scheduled connection due at 09:00");
    // A day in both sets takes the first set's times.
    s.sets[1].days[kMonday] = true;
    EXPECT_EQ(decideSchedule(s, at(kMonday, 8, 0), counter, false).status, "Scheduled connection due at 09:00");
    EXPECT_EQ(decideSchedule(s, at(kWednesday, 8, 0), counter, false).status,
              "Scheduled connections disabled on Wednesday");
}

TEST(Schedule, FixedTimesWithoutUsableEntries) {
    int counter = 0;
    EXPECT_EQ(decideSchedule(fixedTimes(0, kMonday, ""), at(kMonday, 0, 0), counter, false).status,
              "No further connections due today");
    // Entries that do not read as hour:minute are passed over.
    auto d = decideSchedule(fixedTimes(0, kMonday, "soon,,9,11:05,"), at(kMonday, 11, 0), counter, false);
    EXPECT_EQ(d.status, "Scheduled connection due at 11:05");
    // An hour too large for the day is still a later time, without overflow.
    EXPECT_EQ(decideSchedule(fixedTimes(0, kMonday, "999999999:00,"), at(kMonday, 11, 0), counter, false).status,
              "Scheduled connection due at 999999999:00");
    // A list without its closing comma still counts its last time.
    EXPECT_EQ(decideSchedule(fixedTimes(0, kMonday, "06:00,23:59"), at(kMonday, 23, 59), counter, false).status,
              "Scheduled connection due now");
}

TEST(Schedule, UnknownTypeSaysNothing) {
    ScheduleSettings s;
    s.type = 3;
    int counter = 4;
    auto d = decideSchedule(s, at(kMonday, 10, 0), counter, true);
    EXPECT_FALSE(d.hasStatus);
    EXPECT_FALSE(d.connect);
}
