// The Reminders page and its editor "Auto Email" through the real sheet:
// what is stored is listed with its texts, the editor's defaults, spins,
// enabling and refusals, and what Apply, OK and Cancel leave in ms.ini.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "admin/auto_email_ids.h"
#include "admin/reminders_ids.h"
#include "reminders_steps.h"
#include "support/ui_driver.h"
#include "ui/controls.h"

using namespace drive;

namespace {

constexpr const char* kReminders = "Reminders";
constexpr const char* kEditor = "Auto Email";

const char* kMailboxes = "[mailbox0]\r\nname=(Postmaster)\r\naddress=root\r\n[mailbox1]\r\nname=Sales\r\naddress=sales\r\n";

// Three records (the second sent on 3 Dec 2026 at 09:15) and one behind a gap.
const char* kThreeReminders =
    "[0auto0]\r\nsubject=Stock take\r\nhour=9\r\nmin=5\r\ndate=7\r\nmonth=11\r\nyear=2026\r\ntotype=1\r\n"
    "todata=ann@example.org\r\nreptype=0\r\nline0=Count the shelves\r\n"
    "[0auto1]\r\nsubject=Team meeting\r\nhour=8\r\nmin=30\r\ndate=1\r\nmonth=0\r\nyear=2025\r\ntotype=2\r\n"
    "todata=Staff\r\nreptype=1\r\nrep1=4\r\nline0=Room 2\r\nsenthour=9\r\nsentmin=15\r\nsentdate=3\r\n"
    "sentmonth=11\r\nsentyear=126\r\nextra=kept\r\n"
    "[0auto2]\r\nsubject=Invoices\r\nhour=12\r\nmin=0\r\ndate=25\r\nmonth=11\r\nyear=2026\r\ntotype=3\r\n"
    "reptype=3\r\nrep1=2\r\nrep2=1\r\nnextdueday=9861\r\nline0=Send them\r\n"
    "[0auto4]\r\nsubject=Orphan\r\n";

std::vector<std::string> row(HWND page, int index) {
    ui::ListView list(GetDlgItem(page, IDC_REM_LIST));
    std::vector<std::string> texts;
    for (int column = 0; column < 4; ++column) texts.push_back(list.itemText(index, column));
    return texts;
}
int itemCount(HWND page) { return ui::ListView(GetDlgItem(page, IDC_REM_LIST)).count(); }
int selectedItem(HWND page) { return ui::ListView(GetDlgItem(page, IDC_REM_LIST)).selection(); }
void selectItem(HWND page, int index) { ui::ListView(GetDlgItem(page, IDC_REM_LIST)).select(index); }

bool openEditor(HWND page, int button, const std::function<void(HWND)>& steps) {
    return clickOpening(page, button, kEditor, steps);
}

std::string twoDigits(int value) {
    char text[8];
    std::snprintf(text, sizeof text, "%02d", value);
    return text;
}

bool textSelected(HWND dialog, int id) {
    DWORD from = 0, to = 0;
    SendDlgItemMessageA(dialog, id, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    return from == 0 && to == text(dialog, id).size();
}

// A reminder whose subject is empty is no reminder: it is left out, and
// the reminders behind it are listed and written back without the gap.
TEST(RemindersPage, AnEmptySubjectInALongListLosesNoReminderBehindIt) {
    std::string ini = kMailboxes;
    for (int i = 0; i < 2000; ++i)
        ini += "[0auto" + std::to_string(i) + "]\r\nsubject=" + (i == 1 ? std::string() : "R" + std::to_string(i)) +
               "\r\nhour=9\r\ndate=1\r\nmonth=0\r\nyear=2040\r\ntotype=3\r\nreptype=2\r\nrep1=1\r\nrep2=0\r\nline0=x\r\n";
    Install install(ini);
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        ASSERT_EQ(itemCount(page), 1999);
        EXPECT_EQ(row(page, 1)[0], "R2");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("0auto1", "subject"), "R2");
    EXPECT_EQ(install.ini("0auto1998", "subject"), "R1999");
    EXPECT_EQ(install.ini("0auto1998", "line0"), "x");
    EXPECT_TRUE(install.keys("0auto1999").empty()) << "the sections the list took are all rewritten";
}

}  // namespace

TEST(RemindersPage, ListsTheRecordsWithTheirTextsAndApplyRewritesThemInListOrder) {
    Install install(std::string(kMailboxes) + kThreeReminders);
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        ASSERT_EQ(itemCount(page), 3) << "up to the first record without a subject";
        EXPECT_EQ(row(page, 0),
                  (std::vector<std::string>{"Stock take", "ann@example.org", "09:05  7 Dec 2026", "Single mailing"}));
        EXPECT_EQ(row(page, 1),
                  (std::vector<std::string>{"Team meeting", "List Staff", "08:30  1 Jan 2025", "Sent every Thursday"}));
        EXPECT_EQ(row(page, 2),
                  (std::vector<std::string>{"Invoices", "All users", "12:00 25 Dec 2026", "Sent every  2 weeks"}));
        EXPECT_EQ(selectedItem(page), 0);
        HWND list = GetDlgItem(page, IDC_REM_LIST);
        RECT client;
        GetClientRect(list, &client);
        EXPECT_EQ(ListView_GetColumnWidth(list, 3), client.right / 4) << "each column a quarter of the list";

        click(page, IDC_REM_DELETE);
        EXPECT_EQ(itemCount(page), 2);
        EXPECT_EQ(row(page, 0)[0], "Team meeting");
        EXPECT_EQ(selectedItem(page), 0) << "the item now at that place";
        selectItem(page, 1);
        click(page, IDC_REM_DELETE);
        EXPECT_EQ(selectedItem(page), 0) << "the last one";
        EXPECT_EQ(itemCount(page), 1);
        selectItem(page, 0);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(sheet, 0x3021 /* Apply */))) << "a deletion is a change";
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("0auto0", "subject"), "Team meeting");
    EXPECT_EQ(install.ini("0auto0", "sentyear"), "126") << "the stamps as they were read";
    EXPECT_EQ(install.ini("0auto0", "sentdate"), "3");
    EXPECT_EQ(install.ini("0auto0", "senthour"), "9");
    EXPECT_EQ(install.ini("0auto0", "rep1"), "4");
    EXPECT_EQ(install.ini("0auto0", "nextdueday"), "0");
    EXPECT_EQ(install.ini("0auto0", "attachment"), "");
    EXPECT_EQ(install.ini("0auto0", "extra"), "<none>") << "the section was deleted before it was written";
    EXPECT_TRUE(install.keys("0auto1").empty());
    EXPECT_TRUE(install.keys("0auto2").empty());
    EXPECT_EQ(install.ini("0auto4", "subject"), "Orphan") << "behind the gap: never part of the list";
}

TEST(RemindersPage, ApplyWithNoRemindersDeletesEveryReminderSection) {
    Install install(std::string(kMailboxes) + kThreeReminders);
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        for (int i = 0; i < 3; ++i) click(page, IDC_REM_DELETE);
        EXPECT_EQ(itemCount(page), 0);
        click(page, IDC_REM_DELETE);  // nothing left: nothing happens
        pressApply(sheet);
        EXPECT_TRUE(install.keys("0auto0").empty());
        pressOk(sheet);
    });
    for (const char* section : {"0auto0", "0auto1", "0auto2"}) EXPECT_TRUE(install.keys(section).empty()) << section;
    EXPECT_EQ(install.ini("mailbox1", "name"), "Sales");
}

TEST(RemindersPage, CancelWritesNothingWhateverWasChanged) {
    Install install(std::string(kMailboxes) + kThreeReminders);
    const std::string before = testing_support::readFile(install.iniPath());
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(openEditor(page, IDC_REM_ADD, [](HWND editor) {
            fillMessage(editor);
            click(editor, IDC_AUTO_CANCEL);
        }));
        EXPECT_EQ(itemCount(page), 3) << "a cancelled editor adds nothing";
        EXPECT_TRUE(openEditor(page, IDC_REM_EDIT, [](HWND editor) {
            setText(editor, IDC_AUTO_SUBJECT, "Changed");
            SendMessageA(editor, WM_COMMAND, IDCANCEL, 0);  // Escape
        }));
        EXPECT_EQ(row(page, 0)[0], "Stock take");
        EXPECT_TRUE(openEditor(page, IDC_REM_ADD, [](HWND editor) {
            fillMessage(editor);
            spin(editor, IDC_AUTO_DAY, 1);
            choose(editor, IDC_AUTO_YEAR, "2027");
            click(editor, IDC_AUTO_SAVE);
        }));
        EXPECT_EQ(itemCount(page), 4);
        click(page, IDC_REM_DELETE);
        pressCancel(sheet);
    });
    EXPECT_EQ(testing_support::readFile(install.iniPath()), before);
}

TEST(AutoEmail, NewReminderShowsTheDefaultsAndEachRadioEnablesItsControls) {
    Install install(kMailboxes);
    SYSTEMTIME today;
    GetLocalTime(&today);
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const std::string month = kMonths[today.wMonth - 1];
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(itemCount(page), 0);
        EXPECT_TRUE(openEditor(page, IDC_REM_ADD, [&](HWND editor) {
            RECT r;
            GetWindowRect(editor, &r);
            EXPECT_NEAR((r.left + r.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 2) << "centred";
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "12:00");
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), std::to_string(today.wDay));
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_MONTH), month);
            std::vector<std::string> years = comboItems(editor, IDC_AUTO_YEAR);
            ASSERT_EQ(years.size(), 30u);
            EXPECT_EQ(years.front(), std::to_string(today.wYear));
            EXPECT_EQ(years.back(), std::to_string(today.wYear + 29));
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_YEAR), years.front());
            EXPECT_TRUE(checked(editor, IDC_AUTO_TO_USER));
            EXPECT_EQ(comboItems(editor, IDC_AUTO_USER), (std::vector<std::string>{"(Postmaster)", "Sales"}));
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_USER), "(Postmaster)");
            EXPECT_TRUE(comboItems(editor, IDC_AUTO_LIST).empty());
            EXPECT_TRUE(checked(editor, IDC_AUTO_ONCE));
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_WEEKDAY), "Sunday");
            EXPECT_EQ(comboItems(editor, IDC_AUTO_WEEKDAY).size(), 7u);
            EXPECT_EQ(text(editor, IDC_AUTO_YEARLY_DAY), "1");
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_YEARLY_MONTH), month);
            EXPECT_EQ(text(editor, IDC_AUTO_COUNT), "2");
            EXPECT_EQ(comboItems(editor, IDC_AUTO_UNIT), (std::vector<std::string>{"days", "weeks", "months", "years"}));
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_UNIT), "days");
            EXPECT_EQ(text(editor, IDC_AUTO_ATTACHMENT), "");
            EXPECT_FALSE(visible(editor, IDC_AUTO_PICTURE));

            const int dependents[] = {IDC_AUTO_USER,        IDC_AUTO_ADDRESSES,        IDC_AUTO_LIST,
                                      IDC_AUTO_WEEKDAY,     IDC_AUTO_YEARLY_DAY,       IDC_AUTO_YEARLY_DAY_SPIN,
                                      IDC_AUTO_YEARLY_MONTH, IDC_AUTO_COUNT,           IDC_AUTO_COUNT_SPIN,
                                      IDC_AUTO_UNIT};
            auto live = [&] {
                std::vector<int> ids;
                for (int id : dependents)
                    if (enabled(editor, id)) ids.push_back(id);
                return ids;
            };
            EXPECT_EQ(live(), std::vector<int>{IDC_AUTO_USER});
            click(editor, IDC_AUTO_TO_ADDRESSES);
            EXPECT_EQ(live(), std::vector<int>{IDC_AUTO_ADDRESSES});
            click(editor, IDC_AUTO_TO_LIST);
            EXPECT_EQ(live(), std::vector<int>{IDC_AUTO_LIST});
            click(editor, IDC_AUTO_TO_ALL);
            EXPECT_TRUE(live().empty());
            click(editor, IDC_AUTO_WEEKLY);
            EXPECT_EQ(live(), std::vector<int>{IDC_AUTO_WEEKDAY});
            click(editor, IDC_AUTO_YEARLY);
            EXPECT_EQ(live(), (std::vector<int>{IDC_AUTO_YEARLY_DAY, IDC_AUTO_YEARLY_DAY_SPIN, IDC_AUTO_YEARLY_MONTH}));
            click(editor, IDC_AUTO_INTERVAL);
            EXPECT_EQ(live(), (std::vector<int>{IDC_AUTO_COUNT, IDC_AUTO_COUNT_SPIN, IDC_AUTO_UNIT}));
            EXPECT_FALSE(checked(editor, IDC_AUTO_ONCE));
            click(editor, IDC_AUTO_CANCEL);
        }));
        pressCancel(sheet);
    });
    EXPECT_TRUE(testing_support::fileExists(install.file("address lists"))) << "made when missing";
}

TEST(AutoEmail, SpinsKeepTheirLimitsAndTheirEditsTakeNoTyping) {
    Install install(kMailboxes);
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(openEditor(page, IDC_REM_ADD, [&](HWND editor) {
            spin(editor, IDC_AUTO_TIME, 1);
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "12:15");
            spin(editor, IDC_AUTO_TIME, 3);
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "13:00") << "the minutes carry into the hour";
            spin(editor, IDC_AUTO_TIME, -1);
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "12:45");
            spin(editor, IDC_AUTO_TIME, -60);
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "00:00");
            spin(editor, IDC_AUTO_TIME, 100);
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "23:45");

            // Typing, deleting and pasting change nothing.
            HWND time = GetDlgItem(editor, IDC_AUTO_TIME);
            SendMessageA(time, WM_KEYDOWN, VK_BACK, 0);
            SendMessageA(time, WM_CHAR, '7', 0);
            SendMessageA(time, WM_KEYDOWN, VK_DELETE, 0);
            SendMessageA(time, WM_PASTE, 0, 0);
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "23:45");
            SendMessageA(GetDlgItem(editor, IDC_AUTO_COUNT), WM_CHAR, '9', 0);
            EXPECT_EQ(text(editor, IDC_AUTO_COUNT), "2");

            choose(editor, IDC_AUTO_YEAR, "2029");
            choose(editor, IDC_AUTO_MONTH, "Jan");
            spin(editor, IDC_AUTO_DAY, 40);
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), "31");
            choose(editor, IDC_AUTO_MONTH, "Feb");
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), "28") << "February of a year not divisible by 4";
            spin(editor, IDC_AUTO_DAY, 1);
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), "28");
            choose(editor, IDC_AUTO_YEAR, "2028");
            spin(editor, IDC_AUTO_DAY, 5);
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), "29");
            choose(editor, IDC_AUTO_MONTH, "Apr");
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), "29");
            spin(editor, IDC_AUTO_DAY, -40);
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), "1");

            click(editor, IDC_AUTO_YEARLY);
            choose(editor, IDC_AUTO_YEARLY_MONTH, "Feb");
            spin(editor, IDC_AUTO_YEARLY_DAY, 40);
            EXPECT_EQ(text(editor, IDC_AUTO_YEARLY_DAY), "28") << "never 29 February";
            choose(editor, IDC_AUTO_YEARLY_MONTH, "Mar");
            spin(editor, IDC_AUTO_YEARLY_DAY, 40);
            EXPECT_EQ(text(editor, IDC_AUTO_YEARLY_DAY), "31");
            choose(editor, IDC_AUTO_YEARLY_MONTH, "Nov");
            EXPECT_EQ(text(editor, IDC_AUTO_YEARLY_DAY), "30");

            click(editor, IDC_AUTO_INTERVAL);
            spin(editor, IDC_AUTO_COUNT, -5);
            EXPECT_EQ(text(editor, IDC_AUTO_COUNT), "1");
            spin(editor, IDC_AUTO_COUNT, 120);
            EXPECT_EQ(text(editor, IDC_AUTO_COUNT), "99");
            click(editor, IDC_AUTO_CANCEL);
        }));
        pressCancel(sheet);
    });
}

TEST(AutoEmail, SaveRefusesEachIncompleteEntryWithItsMessageAndFocus) {
    Install install(std::string(kMailboxes) + kThreeReminders);
    install.set("0auto0", "year", "2020");
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(openEditor(page, IDC_REM_EDIT, [&](HWND editor) {
            // A start year before this one is offered first, and kept.
            EXPECT_EQ(comboItems(editor, IDC_AUTO_YEAR).front(), "2020");
            EXPECT_EQ(comboItems(editor, IDC_AUTO_YEAR).size(), 31u);
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_YEAR), "2020");
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE), "The start date has already passed");
            EXPECT_EQ(GetFocus(), GetDlgItem(editor, IDC_AUTO_DAY));
            EXPECT_TRUE(textSelected(editor, IDC_AUTO_DAY));
            choose(editor, IDC_AUTO_YEAR, "2040");
            click(editor, IDC_AUTO_TO_ADDRESSES);
            setText(editor, IDC_AUTO_ADDRESSES, "");
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE), "Please enter the recipients of this message");
            EXPECT_EQ(GetFocus(), GetDlgItem(editor, IDC_AUTO_ADDRESSES));
            setText(editor, IDC_AUTO_ADDRESSES, "Ann Smith");
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE), "Please enter valid email addresses");
            EXPECT_EQ(GetFocus(), GetDlgItem(editor, IDC_AUTO_ADDRESSES));
            EXPECT_TRUE(textSelected(editor, IDC_AUTO_ADDRESSES));
            click(editor, IDC_AUTO_TO_LIST);
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE), "You need to create an address list");
            EXPECT_EQ(GetFocus(), GetDlgItem(editor, IDC_AUTO_LIST));
            click(editor, IDC_AUTO_TO_ALL);
            setText(editor, IDC_AUTO_SUBJECT, "");
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE), "Please enter a subject for this message");
            EXPECT_EQ(GetFocus(), GetDlgItem(editor, IDC_AUTO_SUBJECT));
            setText(editor, IDC_AUTO_SUBJECT, "Year end");
            setText(editor, IDC_AUTO_LINE1, "");
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE),
                      "Please enter at least one line of text for this message");
            EXPECT_EQ(GetFocus(), GetDlgItem(editor, IDC_AUTO_LINE1));
            EXPECT_TRUE(IsWindowVisible(editor)) << "every refusal keeps the editor open";
            setText(editor, IDC_AUTO_LINE4, "Last line only");
            click(editor, IDC_AUTO_SAVE);
        }));
        EXPECT_EQ(row(page, 0), (std::vector<std::string>{"Year end", "All users", "09:05  7 Dec 2040", "Single mailing"}));
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("0auto0", "totype"), "3");
    EXPECT_EQ(install.ini("0auto0", "todata"), "");
    EXPECT_EQ(install.ini("0auto0", "line0"), "");
    EXPECT_EQ(install.ini("0auto0", "line3"), "Last line only");
    EXPECT_EQ(install.ini("0auto0", "year"), "2040");
    EXPECT_EQ(install.ini("0auto0", "month"), "11");
}

TEST(AutoEmail, OnceAtTheCurrentMinuteIsRefusedAndOneMinuteLaterAccepted) {
    // Far enough from the next minute that the clock cannot pass it meanwhile.
    SYSTEMTIME now;
    do {
        GetLocalTime(&now);
        if (now.wSecond >= 55) Sleep(1000);
    } while (now.wSecond >= 55);
    FILETIME file;
    SystemTimeToFileTime(&now, &file);
    ULARGE_INTEGER later{{file.dwLowDateTime, file.dwHighDateTime}};
    later.QuadPart += 60ULL * 10000000ULL;
    file = {later.LowPart, later.HighPart};
    SYSTEMTIME next;
    FileTimeToSystemTime(&file, &next);
    auto record = [](int index, const SYSTEMTIME& t) {
        std::string s = "[0auto" + std::to_string(index) + "]\r\nsubject=At " + std::to_string(t.wMinute) +
                        "\r\nhour=" + std::to_string(t.wHour) + "\r\nmin=" + std::to_string(t.wMinute) +
                        "\r\ndate=" + std::to_string(t.wDay) + "\r\nmonth=" + std::to_string(t.wMonth - 1) +
                        "\r\nyear=" + std::to_string(t.wYear) + "\r\ntotype=3\r\nreptype=0\r\nline0=x\r\n";
        return s;
    };
    Install install(std::string(kMailboxes) + record(0, now) + record(1, next));
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(openEditor(page, IDC_REM_EDIT, [&](HWND editor) {
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), twoDigits(now.wHour) + ":" + twoDigits(now.wMinute));
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE), "The start time has already passed");
            EXPECT_EQ(GetFocus(), GetDlgItem(editor, IDC_AUTO_TIME));
            click(editor, IDC_AUTO_CANCEL);
        }));
        selectItem(page, 1);
        EXPECT_TRUE(openEditor(page, IDC_REM_EDIT, [&](HWND editor) {
            EXPECT_EQ(clickExpectingError(editor, IDC_AUTO_SAVE), "") << "one minute later is accepted";
        }));
        pressCancel(sheet);
    });
}

TEST(AutoEmail, EditingASentRepeatingReminderKeepsItsStampAndNextDueDay) {
    Install install(std::string(kMailboxes) + kThreeReminders);
    CreateDirectoryA(install.file("address lists").c_str(), nullptr);
    testing_support::writeFile(install.file("address lists\\Board.txt"), "chair@example.org\r\n");
    testing_support::writeFile(install.file("address lists\\Staff.txt"), "all@example.org\r\n");
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        HWND list = GetDlgItem(page, IDC_REM_LIST);
        selectItem(page, 1);
        RECT item{LVIR_LABEL, 0, 0, 0};
        SendMessageA(list, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
        bool opened = false;
        whenShown("#32770", kEditor, [&](HWND editor) {
            if (!editor) return;
            opened = true;
            EXPECT_EQ(text(editor, IDC_AUTO_TIME), "08:30");
            EXPECT_EQ(text(editor, IDC_AUTO_DAY), "1");
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_MONTH), "Jan");
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_YEAR), "2025") << "an earlier start year stays";
            EXPECT_TRUE(checked(editor, IDC_AUTO_TO_LIST));
            EXPECT_EQ(comboItems(editor, IDC_AUTO_LIST), (std::vector<std::string>{"Board", "Staff"}));
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_LIST), "Staff");
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_USER), "(Postmaster)");
            EXPECT_TRUE(checked(editor, IDC_AUTO_WEEKLY));
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_WEEKDAY), "Thursday");
            EXPECT_EQ(text(editor, IDC_AUTO_COUNT), "2") << "the kinds not chosen show their defaults";
            EXPECT_EQ(text(editor, IDC_AUTO_LINE1), "Room 2");
            setText(editor, IDC_AUTO_SUBJECT, "Team meeting moved");
            choose(editor, IDC_AUTO_WEEKDAY, "Friday");
            click(editor, IDC_AUTO_SAVE);
        });
        // A double click on the item edits it.
        SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(item.left + 4, (item.top + item.bottom) / 2));
        testing_support::pumpFor(50);
        EXPECT_TRUE(opened);
        EXPECT_EQ(row(page, 1),
                  (std::vector<std::string>{"Team meeting moved", "List Staff", "08:30  1 Jan 2025", "Sent every Friday"}));
        // The interval record keeps its next due day through an edit.
        selectItem(page, 2);
        EXPECT_TRUE(openEditor(page, IDC_REM_EDIT, [](HWND editor) {
            EXPECT_EQ(text(editor, IDC_AUTO_COUNT), "2");
            EXPECT_EQ(comboSelection(editor, IDC_AUTO_UNIT), "weeks");
            spin(editor, IDC_AUTO_COUNT, 1);
            click(editor, IDC_AUTO_SAVE);
        }));
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("0auto1", "subject"), "Team meeting moved");
    EXPECT_EQ(install.ini("0auto1", "rep1"), "5");
    EXPECT_EQ(install.ini("0auto1", "rep2"), "0");
    EXPECT_EQ(install.ini("0auto1", "year"), "2025");
    EXPECT_EQ(install.ini("0auto1", "todata"), "Staff");
    EXPECT_EQ(install.ini("0auto1", "sentyear"), "126") << "not sent again the same day";
    EXPECT_EQ(install.ini("0auto1", "sentmonth"), "11");
    EXPECT_EQ(install.ini("0auto1", "sentdate"), "3");
    EXPECT_EQ(install.ini("0auto1", "senthour"), "9");
    EXPECT_EQ(install.ini("0auto1", "sentmin"), "15");
    EXPECT_EQ(install.ini("0auto2", "rep1"), "3");
    EXPECT_EQ(install.ini("0auto2", "nextdueday"), "9861");
}

TEST(RemindersPage, SendNowWritesTheSelectedMessageAndLeavesTheRecord) {
    Install install(std::string("[domain]\r\ndomain=example.org\r\nuse=1\r\n") + kMailboxes + kThreeReminders);
    CreateDirectoryA(install.file("tmp").c_str(), nullptr);
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_REM_SEND_NOW);
        EXPECT_EQ(itemCount(page), 3);
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(sheet, 0x3021 /* Apply */))) << "sending is no change";
        pressCancel(sheet);
    });
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(install.file("tmp\\*.txt").c_str(), &found);
    ASSERT_NE(find, INVALID_HANDLE_VALUE) << "a message in tmp";
    FindClose(find);
    std::string message = testing_support::readFile(install.file("tmp\\") + found.cFileName);
    EXPECT_NE(message.find("To: ann@example.org\r\n"), std::string::npos) << message;
    EXPECT_NE(message.find("Subject: Stock take\r\n"), std::string::npos);
    EXPECT_EQ(install.ini("0auto0", "sentyear"), "<none>");
}

TEST(AutoEmail, AttachmentChosenInTheSystemsOpenDialogAndRemoved) {
    Install install(kMailboxes);
    CreateDirectoryA(install.file("other").c_str(), nullptr);
    const std::string attachment = install.file("other\\stock data.bin");
    testing_support::writeFile(attachment, std::string("\x00\x01\xff", 3));
    runSheet(kReminders, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(openEditor(page, IDC_REM_ADD, [&](HWND editor) {
            EXPECT_TRUE(clickOpening(editor, IDC_AUTO_ADD_ATTACH, "Open", [&](HWND chooser) {
                chooseFile(chooser, attachment);
            }));
            EXPECT_EQ(text(editor, IDC_AUTO_ATTACHMENT), attachment) << "the full path";
            EXPECT_TRUE(visible(editor, IDC_AUTO_PICTURE));
            click(editor, IDC_AUTO_DELETE_ATTACH);
            EXPECT_EQ(text(editor, IDC_AUTO_ATTACHMENT), "");
            EXPECT_FALSE(visible(editor, IDC_AUTO_PICTURE));
            EXPECT_TRUE(clickOpening(editor, IDC_AUTO_ADD_ATTACH, "Open", [&](HWND chooser) {
                SendMessageA(chooser, WM_COMMAND, IDCANCEL, 0);
            }));
            EXPECT_EQ(text(editor, IDC_AUTO_ATTACHMENT), "") << "a cancelled choice attaches nothing";
            click(editor, IDC_AUTO_CANCEL);
        }));
        pressCancel(sheet);
    });
}
