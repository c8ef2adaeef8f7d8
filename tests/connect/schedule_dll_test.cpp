// OKToBeOnline at the machine's current time.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "connect_fixture.h"
#include "utilities.h"

using namespace connect_test;
using namespace testing_support;

namespace {

const char* const kDayKeys[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
const char* const kDayNames[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

class ScheduleExport : public ConnectTest {
protected:
    struct Answer {
        int result;
        std::string text;
    };
    Answer ask(int tick) {
        char text[64];
        std::memset(text, '#', sizeof text);
        int result = OKToBeOnline(statusWindow, tick, text);
        return {result, text};
    }
    static std::vector<std::string> allDays(const char* value) {
        std::vector<std::string> lines;
        for (const char* key : kDayKeys) lines.push_back(std::string(key) + "=" + value);
        return lines;
    }
};

}  // namespace

TEST_F(ScheduleExport, DisabledSchedule) {
    writeConfig({"[schedule]", "type=0"});
    ValidateRect(statusWindow, nullptr);
    Answer a = ask(1);
    EXPECT_EQ(a.result, 0);
    EXPECT_EQ(a.text, "Scheduling disabled");
    ASSERT_EQ(recorder->status.size(), 1u);
    EXPECT_EQ(recorder->statusKinds[0], 0u);
    EXPECT_EQ(recorder->status[0], "Scheduling disabled");
    EXPECT_TRUE(GetUpdateRect(statusWindow, nullptr, FALSE)) << "the status window is invalidated";
    EXPECT_TRUE(recorder->events.empty()) << "the schedule's text is not an event";
}

TEST_F(ScheduleExport, IntervalCountsTicksAndDaysAreHonoured) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    std::vector<std::string> config{"[schedule]", "type=1", "interval=3", "lotime=0", "hitime=24"};
    for (const auto& line : allDays("0")) config.push_back(line);
    writeConfig(config);
    EXPECT_EQ(ask(1).text, std::string("Scheduled connections disabled on ") + kDayNames[now.wDayOfWeek]);

    config.resize(5);
    for (const auto& line : allDays("1")) config.push_back(line);
    writeConfig(config);
    EXPECT_EQ(ask(1).text, "Scheduled connection due in 2 minutes");
    EXPECT_EQ(ask(0).text, "Scheduled connection due in 2 minutes");
    EXPECT_EQ(ask(1).text, "Scheduled connection due in 1 minutes");
    Answer due = ask(1);
    EXPECT_EQ(due.result, 1);
    EXPECT_EQ(due.text, "Scheduled connection due now");
    EXPECT_EQ(ask(1).text, "Scheduled connection due in 2 minutes");
    EXPECT_EQ(statusTexts(0).size(), 6u);
}

TEST_F(ScheduleExport, TextOutNeverPassesItsSize) {
    // A hand-edited window start makes a text longer than any the pages
    // allow; the caller's buffer still gets at most 43 characters.
    writeConfig({"[schedule]", "type=1", "lotime=99999999", "hitime=99999999", "sun=1", "mon=1", "tue=1", "wed=1",
                 "thu=1", "fri=1", "sat=1"});
    char text[64];
    std::memset(text, '#', sizeof text);
    EXPECT_EQ(OKToBeOnline(statusWindow, 1, text), 0);
    EXPECT_EQ(std::string(text), std::string("Scheduled connections disabled until 99999999:00").substr(0, 43));
    EXPECT_EQ(text[44], '#');
    EXPECT_EQ(statusTexts(0).back(), "Scheduled connections disabled until 99999999:00");
}

TEST_F(ScheduleExport, UnknownTypeLeavesEverythingAlone) {
    writeConfig({"[schedule]", "type=5"});
    char text[8] = "before";
    EXPECT_EQ(OKToBeOnline(statusWindow, 1, text), 0);
    EXPECT_STREQ(text, "before");
    EXPECT_TRUE(recorder->status.empty());
}
