// A reminder made in the page's editor, from the click to the message: the
// editor saves it, Apply writes it, the scan leaves it while its start lies
// ahead, and once its start has passed generates it. The message is written
// beside its attachment into the output folder for Python's email package
// (check_reminder_page.py) to read back.
//
//   reminder_page_message OUTPUT_FOLDER
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "admin/reminders_ids.h"
#include "reminders_steps.h"
#include "support/win32_support.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace drive;
using namespace testing_support;

namespace {

std::string outputFolder;

std::vector<std::string> messagesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(find, &found));
    FindClose(find);
    return names;
}

}  // namespace

TEST(ReminderPageMessage, MadeInTheEditorAndGeneratedByTheScan) {
    ASSERT_FALSE(outputFolder.empty()) << "usage: reminder_page_message OUTPUT_FOLDER";
    removeTree(outputFolder);
    CreateDirectoryA(outputFolder.c_str(), nullptr);
    std::string data;
    for (int i = 0; i < 1000; ++i) data += static_cast<char>((i * 7 + i / 256) & 0xFF);
    const std::string attachment = outputFolder + "\\stock data.bin";
    ASSERT_TRUE(writeFile(attachment, data));

    Install install("[domain]\r\ndomain=example.org\r\nuse=1\r\n"
                    "[mailbox0]\r\nname=(Postmaster)\r\naddress=root\r\n");
    for (const char* folder : {"tmp", "temp"}) CreateDirectoryA(install.file(folder).c_str(), nullptr);
    SYSTEMTIME today;
    GetLocalTime(&today);

    runSheet("Reminders", [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(clickOpening(page, IDC_REM_ADD, "Auto Email", [&](HWND editor) {
            fillMessage(editor);
            spin(editor, IDC_AUTO_TIME, 4);  // 13:00
            choose(editor, IDC_AUTO_YEAR, std::to_string(today.wYear + 1));
            EXPECT_TRUE(clickOpening(editor, IDC_AUTO_ADD_ATTACH, "Open",
                                     [&](HWND chooser) { chooseFile(chooser, attachment); }));
            click(editor, IDC_AUTO_SAVE);
        }));
        pressOk(sheet);
    });
    ASSERT_EQ(install.ini("0auto0", "subject"), "Monthly stock take");
    EXPECT_EQ(install.ini("0auto0", "hour"), "13");
    EXPECT_EQ(install.ini("0auto0", "year"), std::to_string(today.wYear + 1));
    EXPECT_EQ(install.ini("0auto0", "sentyear"), "0");

    CheckReminders();
    EXPECT_TRUE(messagesIn(install.file("tmp")).empty()) << "its start lies a year ahead";
    EXPECT_EQ(install.ini("0auto0", "subject"), "Monthly stock take");

    install.set("0auto0", "year", std::to_string(today.wYear - 1));
    CheckReminders();
    std::vector<std::string> messages = messagesIn(install.file("tmp"));
    ASSERT_EQ(messages.size(), 1u) << "generated once its start has passed";
    EXPECT_TRUE(install.keys("0auto0").empty()) << "a single mailing is removed once sent";
    ASSERT_TRUE(MoveFileA(install.file("tmp\\" + messages[0]).c_str(), (outputFolder + "\\reminder_page.eml").c_str()));
}

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (argc > 1) outputFolder = argv[1];
    for (char& c : outputFolder)
        if (c == '/') c = '\\';
    return RUN_ALL_TESTS();
}
