// The Schedule page and its "Connection Times" through the real sheet: the
// enabling by schedule type, the hour and quarter-hour spins, the checks,
// the two day sets and their time lists; and what the page writes as
// OKToBeOnline then reads it at chosen times of day.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "admin/connection_times_ids.h"
#include "admin/schedule_ids.h"
#include "support/ui_driver.h"

using namespace drive;

namespace {

constexpr const char* kSchedule = "Schedule";

// Presses the up (steps > 0) or down arrow of an up-down control as the
// user would, once a step.
void spin(HWND dialog, int id, int steps) {
    HWND control = GetDlgItem(dialog, id);
    RECT r;
    GetClientRect(control, &r);
    LPARAM at = MAKELPARAM(r.right / 2, steps > 0 ? r.bottom / 4 : r.bottom * 3 / 4);
    for (int i = 0; i < (steps > 0 ? steps : -steps); ++i) {
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(control, WM_LBUTTONUP, 0, at);
    }
}

constexpr int kIntervalControls[] = {IDC_SCHED_MINUTES, IDC_SCHED_MINUTES_SPIN, IDC_SCHED_START, IDC_SCHED_START_SPIN,
                                     IDC_SCHED_END, IDC_SCHED_END_SPIN, IDC_SCHED_SUN, IDC_SCHED_SAT,
                                     IDC_SCHED_LBL_DAYS};

TEST(SchedulePage, ShowsItsDefaultsAndEnablesByScheduleType) {
    Install install;
    runSheet(kSchedule, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(checked(page, IDC_SCHED_MANUAL));
        EXPECT_EQ(text(page, IDC_SCHED_MINUTES), "60");
        EXPECT_EQ(text(page, IDC_SCHED_START), "08:00");
        EXPECT_EQ(text(page, IDC_SCHED_END), "17:00");
        std::vector<bool> days;
        for (int id = IDC_SCHED_SUN; id <= IDC_SCHED_SAT; ++id) days.push_back(checked(page, id));
        EXPECT_EQ(days, (std::vector<bool>{false, true, true, true, true, true, false}));
        for (int id : kIntervalControls) EXPECT_FALSE(enabled(page, id)) << id;
        EXPECT_FALSE(enabled(page, IDC_SCHED_SET_TIMES));
        EXPECT_FALSE(enabled(page, IDC_SCHED_URGENT));
        EXPECT_FALSE(applyEnabled(sheet)) << "loading is no change";

        click(page, IDC_SCHED_INTERVAL);
        for (int id : kIntervalControls) EXPECT_TRUE(enabled(page, id)) << id;
        EXPECT_FALSE(enabled(page, IDC_SCHED_SET_TIMES));
        EXPECT_TRUE(enabled(page, IDC_SCHED_URGENT));
        EXPECT_TRUE(applyEnabled(sheet));

        click(page, IDC_SCHED_TIMES);
        for (int id : kIntervalControls) EXPECT_FALSE(enabled(page, id)) << id;
        EXPECT_TRUE(enabled(page, IDC_SCHED_SET_TIMES));
        EXPECT_TRUE(enabled(page, IDC_SCHED_URGENT));
        click(page, IDC_SCHED_URGENT);
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("schedule"), (std::vector<std::string>{"type", "priority"}))
        << "the interval schedule's keys only with that schedule";
    EXPECT_EQ(install.ini("schedule", "type"), "2");
    EXPECT_EQ(install.ini("schedule", "priority"), "1");
}

TEST(SchedulePage, TheHourSpinsStopAtTwentyTwoAndTwentyFour) {
    Install install("[schedule]\r\ntype=1\r\nlotime=20\r\nhitime=22\r\n");
    runSheet(kSchedule, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_SCHED_START), "20:00");
        spin(page, IDC_SCHED_START_SPIN, 1);
        EXPECT_EQ(text(page, IDC_SCHED_START), "21:00");
        EXPECT_TRUE(applyEnabled(sheet));
        spin(page, IDC_SCHED_START_SPIN, 4);
        EXPECT_EQ(text(page, IDC_SCHED_START), "22:00");
        spin(page, IDC_SCHED_END_SPIN, 5);
        EXPECT_EQ(text(page, IDC_SCHED_END), "24:00");
        pressApply(sheet);
        EXPECT_EQ(install.ini("schedule", "lotime"), "22");
        EXPECT_EQ(install.ini("schedule", "hitime"), "24");
        spin(page, IDC_SCHED_START_SPIN, -30);
        EXPECT_EQ(text(page, IDC_SCHED_START), "00:00");
        spin(page, IDC_SCHED_END_SPIN, -30);
        EXPECT_EQ(text(page, IDC_SCHED_END), "01:00");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("schedule", "lotime"), "0");
    EXPECT_EQ(install.ini("schedule", "hitime"), "1");
}

TEST(SchedulePage, ApplyRefusesAnEmptyWindowAndNoDays) {
    Install install("[schedule]\r\ntype=1\r\nlotime=17\r\nhitime=9\r\n");
    const std::string before = testing_support::readFile(install.iniPath());
    runSheet(kSchedule, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_SCHED_URGENT);
        EXPECT_EQ(expectingBox("Error", [&] { pressApply(sheet); }), "Please set a valid time to connect between...");
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_SCHED_START));
        DWORD from = 0, to = 0;
        SendDlgItemMessageA(page, IDC_SCHED_START, EM_GETSEL, reinterpret_cast<WPARAM>(&from),
                            reinterpret_cast<LPARAM>(&to));
        EXPECT_EQ(to - from, 5u) << "the start hour is selected";
        spin(page, IDC_SCHED_START_SPIN, -8);
        EXPECT_EQ(expectingBox("Error", [&] { pressApply(sheet); }), "Please set a valid time to connect between...")
            << "09:00 to 09:00 is no window either";
        spin(page, IDC_SCHED_START_SPIN, -1);
        for (int id = IDC_SCHED_MON; id <= IDC_SCHED_FRI; ++id) click(page, id);
        EXPECT_EQ(expectingBox("Error", [&] { pressApply(sheet); }), "Please set at least one day...");
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_SCHED_SUN));
        EXPECT_EQ(currentPage(sheet), page);
        pressCancel(sheet);
    });
    EXPECT_EQ(testing_support::readFile(install.iniPath()), before);
}

TEST(ConnectionTimes, DaySetsExcludeEachOtherAndTimesStaySortedOnce) {
    Install install("[schedule]\r\ntype=2\r\n[schedule0]\r\ntimes=12:30,08:00,\r\nstale=1\r\n");
    runSheet(kSchedule, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        bool opened = clickOpening(page, IDC_SCHED_SET_TIMES, "Connection Times", [](HWND dialog) {
            std::vector<bool> first, second;
            for (int d = 0; d < 7; ++d) {
                first.push_back(checked(dialog, IDC_TIMES_FIRST_SUN + d));
                second.push_back(checked(dialog, IDC_TIMES_SECOND_SUN + d));
            }
            EXPECT_EQ(first, (std::vector<bool>{false, true, true, true, true, true, false}));
            EXPECT_EQ(second, (std::vector<bool>{true, false, false, false, false, false, true}));
            EXPECT_EQ(listItems(dialog, IDC_TIMES_FIRST_LIST), (std::vector<std::string>{"08:00", "12:30"}));
            EXPECT_EQ(text(dialog, IDC_TIMES_FIRST_TIME), "08:00");
            EXPECT_EQ(text(dialog, IDC_TIMES_SECOND_TIME), "08:00");

            click(dialog, IDC_TIMES_SECOND_MON);
            EXPECT_TRUE(checked(dialog, IDC_TIMES_SECOND_MON));
            EXPECT_FALSE(checked(dialog, IDC_TIMES_FIRST_MON));
            click(dialog, IDC_TIMES_FIRST_SAT);
            EXPECT_FALSE(checked(dialog, IDC_TIMES_SECOND_SAT));

            spin(dialog, IDC_TIMES_FIRST_SPIN, 2);
            EXPECT_EQ(text(dialog, IDC_TIMES_FIRST_TIME), "08:30");
            click(dialog, IDC_TIMES_FIRST_ADD);
            setText(dialog, IDC_TIMES_FIRST_TIME, "7:45");
            click(dialog, IDC_TIMES_FIRST_ADD);
            EXPECT_EQ(listSelection(dialog, IDC_TIMES_FIRST_LIST), 0);
            setText(dialog, IDC_TIMES_FIRST_TIME, "08:30");
            click(dialog, IDC_TIMES_FIRST_ADD);
            EXPECT_EQ(listItems(dialog, IDC_TIMES_FIRST_LIST),
                      (std::vector<std::string>{"7:45", "08:00", "08:30", "12:30"}))
                << "in time order, typed text as typed, no duplicate";
            EXPECT_EQ(listSelection(dialog, IDC_TIMES_FIRST_LIST), 2);

            selectListItem(dialog, IDC_TIMES_FIRST_LIST, 3);
            click(dialog, IDC_TIMES_FIRST_DELETE);
            EXPECT_EQ(listSelection(dialog, IDC_TIMES_FIRST_LIST), 2) << "the last one goes: the one before it";
            selectListItem(dialog, IDC_TIMES_FIRST_LIST, 1);
            click(dialog, IDC_TIMES_FIRST_DELETE);
            EXPECT_EQ(listItems(dialog, IDC_TIMES_FIRST_LIST), (std::vector<std::string>{"7:45", "08:30"}));
            EXPECT_EQ(listSelection(dialog, IDC_TIMES_FIRST_LIST), 1) << "the entry now in its place";

            spin(dialog, IDC_TIMES_SECOND_SPIN, -40);
            EXPECT_EQ(text(dialog, IDC_TIMES_SECOND_TIME), "00:00");
            setText(dialog, IDC_TIMES_SECOND_TIME, "23:30");
            spin(dialog, IDC_TIMES_SECOND_SPIN, 3);
            EXPECT_EQ(text(dialog, IDC_TIMES_SECOND_TIME), "23:45");
            click(dialog, IDC_TIMES_SECOND_ADD);
            click(dialog, IDOK);
        });
        EXPECT_TRUE(opened);
        EXPECT_TRUE(applyEnabled(sheet)) << "the page reports the change";
        pressCancel(sheet);
    });
    EXPECT_EQ(install.keys("schedule0"),
              (std::vector<std::string>{"sun", "mon", "tue", "wed", "thu", "fri", "sat", "times"}));
    EXPECT_EQ(install.ini("schedule0", "mon"), "0");
    EXPECT_EQ(install.ini("schedule0", "tue"), "1");
    EXPECT_EQ(install.ini("schedule0", "sat"), "1");
    EXPECT_EQ(install.ini("schedule0", "times"), "7:45,08:30,");
    EXPECT_EQ(install.ini("schedule1", "mon"), "1");
    EXPECT_EQ(install.ini("schedule1", "sat"), "0");
    EXPECT_EQ(install.ini("schedule1", "sun"), "1");
    EXPECT_EQ(install.ini("schedule1", "times"), "23:45,");
}

TEST(ConnectionTimes, OkNeedsADayAndATimeAndCancelWritesNothing) {
    Install install("[schedule]\r\ntype=2\r\n");
    runSheet(kSchedule, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        clickOpening(page, IDC_SCHED_SET_TIMES, "Connection Times", [](HWND dialog) {
            for (int id : {IDC_TIMES_FIRST_MON, IDC_TIMES_FIRST_TUE, IDC_TIMES_FIRST_WED, IDC_TIMES_FIRST_THU,
                           IDC_TIMES_FIRST_FRI, IDC_TIMES_SECOND_SUN, IDC_TIMES_SECOND_SAT})
                click(dialog, id);
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please set at least one day...");
            click(dialog, IDC_TIMES_SECOND_WED);
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please enter at least one connection time...");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_TIMES_FIRST_TIME));
            click(dialog, IDC_TIMES_FIRST_ADD);
            click(dialog, IDCANCEL);
        });
        EXPECT_FALSE(applyEnabled(sheet));
        pressCancel(sheet);
    });
    EXPECT_TRUE(install.keys("schedule0").empty());
    EXPECT_TRUE(install.keys("schedule1").empty());
}

// What the page writes is what OKToBeOnline reads: the page sets 09:00 to
// 17:00 on weekdays, and the export is asked through the host at chosen
// local times. Wine takes a process's time zone from its Unix TZ, so a zone
// whose offset puts "now" at the wanted time stands in for a clock; only a
// process started from the Unix side can be given one, so the host is run
// through Wine's own spawn of a Unix shell.
struct Clock {
    std::string zone;  // TZ for a process whose local time is the wanted time
    int weekday;       // 0 Sunday
};

Clock localClockAt(int hour, int minute) {
    SYSTEMTIME utc;
    GetSystemTime(&utc);
    if (utc.wSecond >= 45) {  // stay inside one minute from here to the call
        Sleep((61 - utc.wSecond) * 1000);
        GetSystemTime(&utc);
    }
    int now = utc.wHour * 60 + utc.wMinute;
    int offset = ((hour * 60 + minute - now) % 1440 + 1440) % 1440;
    if (offset > 720) offset -= 1440;
    FILETIME file;
    SystemTimeToFileTime(&utc, &file);
    ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
    ticks.QuadPart += static_cast<long long>(offset) * 60 * 10000000LL;
    file = {ticks.LowPart, ticks.HighPart};
    SYSTEMTIME local;
    FileTimeToSystemTime(&file, &local);
    // POSIX zones count west of Greenwich as positive.
    int west = offset < 0 ? -offset : offset;
    char zone[32];
    std::snprintf(zone, sizeof zone, "XST%c%d:%02d", offset > 0 ? '-' : '+', west / 60, west % 60);
    return {zone, local.wDayOfWeek};
}

// Runs a command line of the Unix shell and waits for it.
bool runUnixShell(std::string command) {
    using Spawn = LONG(WINAPI*)(char* const argv[], int wait);
    auto spawn = reinterpret_cast<Spawn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll"), "__wine_unix_spawnvp")));
    if (!spawn) return false;
    std::string shell = "/bin/sh", option = "-c";
    char* argv[] = {shell.data(), option.data(), command.data(), nullptr};
    return spawn(argv, 1) == 0;
}

// The host's line for OKToBeOnline with a minute tick at a local time.
std::string askAt(const std::string& installFolder, int hour, int minute, int& weekday) {
    Clock clock = localClockAt(hour, minute);
    weekday = clock.weekday;
    std::string answer = installFolder + "\\answer.txt";
    DeleteFileA(answer.c_str());
    EXPECT_TRUE(runUnixShell("out=$(winepath -u '" + answer + "') && TZ=" + clock.zone + " wine '" +
                             testing_support::exeFolder() + "\\host.exe' '" + installFolder +
                             "' oktobeonline 1 2>/dev/null | tr -d '\\r' > \"$out\""));
    std::string out = testing_support::readFile(answer);
    std::size_t at = out.find("oktobeonline: ");
    if (at == std::string::npos) return out;
    return out.substr(at, out.find('\n', at) - at);
}

TEST(ScheduleEndToEnd, ThePagesWeekdayWindowIsWhatOkToBeOnlineReads) {
    Install install;
    runSheet(kSchedule, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_SCHED_INTERVAL);
        spin(page, IDC_SCHED_START_SPIN, 1);
        EXPECT_EQ(text(page, IDC_SCHED_START), "09:00");
        pressOk(sheet);
    });
    std::string folder = install.iniPath().substr(0, install.iniPath().rfind('\\'));
    const char* weekend[7] = {"Sunday", nullptr, nullptr, nullptr, nullptr, nullptr, "Saturday"};
    struct Ask {
        int hour, minute;
        const char* onWeekdays;
    };
    const Ask asks[] = {
        {8, 59, "oktobeonline: 0 Scheduled connections disabled until 09:00"},
        {9, 0, "oktobeonline: 0 Scheduled connection due in 59 minutes"},
        {16, 59, "oktobeonline: 0 Scheduled connection due in 59 minutes"},
        {17, 0, "oktobeonline: 0 Scheduled connections disabled after 17:00"},
    };
    for (const Ask& ask : asks) {
        int weekday = 0;
        std::string answer = askAt(folder, ask.hour, ask.minute, weekday);
        std::string expected = ask.onWeekdays;
        if (weekend[weekday])
            expected = std::string("oktobeonline: 0 Scheduled connections disabled on ") + weekend[weekday];
        EXPECT_EQ(answer, expected) << ask.hour << ":" << ask.minute << " on day " << weekday;
    }
}

}  // namespace
