// The Scanner page through the real sheet: phrases added on the page are
// what the running scanner finds, and every change reaches ms.ini at Apply.
#include <windows.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include "admin/scanner_ids.h"
#include "page_replies.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kScanner = "Scanner";
constexpr int kApplyButton = 0x3021;

const std::string kMailboxes =
    "[mailbox0]\r\nname=(Postmaster)\r\n[mailbox1]\r\nname=bob\r\n[mailbox2]\r\nname=Alice\r\n";

TEST(ScannerPage, APhraseAddedOnThePageIsFoundByParseFile) {
    Install install(kMailboxes + "[snooper]\r\nuse=1\r\nx0=" + scramble("alpha beta") + "\r\n");
    const std::string message = install.file("message.txt");
    writeFile(message, "Subject: figures\r\n\r\nThe Quarterly\r\nFigures are attached.\r\n");
    char match[4096] = {};
    EXPECT_EQ(ParseFile(message.c_str(), match), 0);

    runSheet(kScanner, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_SCAN_PHRASES), std::vector<std::string>{"alpha beta"});
        Seen seen = clickReplying(page, IDC_SCAN_ADD, {typing("  quarterly figures ")});
        EXPECT_EQ(seen, Seen{"Enter phrase"});
        EXPECT_EQ(listItems(page, IDC_SCAN_PHRASES), (std::vector<std::string>{"alpha beta", "quarterly figures"}))
            << "blanks at either end are dropped";
        EXPECT_EQ(listSelection(page, IDC_SCAN_PHRASES), 1);
        clickReplying(page, IDC_SCAN_ADD, {typing("   ")});
        clickReplying(page, IDC_SCAN_ADD, {cancelling()});
        EXPECT_EQ(listItems(page, IDC_SCAN_PHRASES).size(), 2u) << "nothing entered, nothing added";
        pressOk(sheet);
    });
    EXPECT_EQ(unscramble(install.ini("snooper", "x1")), "quarterly figures");
    EXPECT_NE(install.ini("snooper", "x1"), "quarterly figures");
    EXPECT_EQ(install.ini("snooper", "x2"), "<none>");
    EXPECT_EQ(install.ini("snooper", "mod"), "1");

    EXPECT_EQ(ParseFile(message.c_str(), match), 1);
    EXPECT_STREQ(match, "Quarterly Figures");
    EXPECT_EQ(install.ini("snooper", "mod"), "0");
}

TEST(ScannerPage, ChangingOnlyTheDestinationEnablesApplyAndIsStored) {
    Install install(kMailboxes + "[snooper]\r\nuse=1\r\nx0=" + scramble("payroll") + "\r\ndst=BO\r\nold=gone\r\n");
    runSheet(kScanner, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboItems(page, IDC_SCAN_DESTINATION), (std::vector<std::string>{"(Postmaster)", "Alice", "bob"}))
            << "sorted";
        EXPECT_EQ(comboSelection(page, IDC_SCAN_DESTINATION), "bob") << "by prefix, ignoring case";
        EXPECT_FALSE(enabled(sheet, kApplyButton));
        SendDlgItemMessageA(page, IDC_SCAN_DESTINATION, CB_SETCURSEL, 1, 0);
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_SCAN_DESTINATION, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_SCAN_DESTINATION)));
        EXPECT_TRUE(enabled(sheet, kApplyButton));
        pressApply(sheet);
        EXPECT_EQ(install.ini("snooper", "dst"), "Alice");
        pressCancel(sheet);
    });
    EXPECT_EQ(install.keys("snooper"), (std::vector<std::string>{"use", "x0", "dst", "mod"}))
        << "the section is written anew: use, the phrases, dst, mod";
    EXPECT_EQ(unscramble(install.ini("snooper", "x0")), "payroll");
}

TEST(ScannerPage, EditAndDeleteKeepTheOrderAndTheButtonsFollowTheList) {
    Install install(kMailboxes + "[snooper]\r\nuse=0\r\nx0=" + scramble("one") + "\r\nx1=" + scramble("two") +
                    "\r\nx2=" + scramble("three") + "\r\n");
    runSheet(kScanner, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listSelection(page, IDC_SCAN_PHRASES), 0) << "the first phrase is selected";
        for (int id : {IDC_SCAN_PHRASES, IDC_SCAN_ADD, IDC_SCAN_DELETE, IDC_SCAN_EDIT, IDC_SCAN_DESTINATION})
            EXPECT_FALSE(enabled(page, id)) << id;
        click(page, IDC_SCAN_ENABLE);
        EXPECT_TRUE(enabled(page, IDC_SCAN_EDIT));
        selectListItem(page, IDC_SCAN_PHRASES, 1);
        EXPECT_EQ(clickReplying(page, IDC_SCAN_EDIT, {typing("2")}), Seen{"Edit phrase"});
        selectListItem(page, IDC_SCAN_PHRASES, 2);
        click(page, IDC_SCAN_DELETE);
        EXPECT_EQ(listItems(page, IDC_SCAN_PHRASES), (std::vector<std::string>{"one", "2"}));
        EXPECT_EQ(listSelection(page, IDC_SCAN_PHRASES), 1) << "the nearest above";
        pressApply(sheet);
        EXPECT_EQ(unscramble(install.ini("snooper", "x1")), "2");
        EXPECT_EQ(install.ini("snooper", "x2"), "<none>");
        click(page, IDC_SCAN_DELETE);
        click(page, IDC_SCAN_DELETE);
        EXPECT_FALSE(enabled(page, IDC_SCAN_DELETE)) << "no phrase to act on";
        EXPECT_FALSE(enabled(page, IDC_SCAN_EDIT));
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("snooper"), (std::vector<std::string>{"use", "dst", "mod"}));
}

TEST(ScannerPage, AnEmptyPhraseInALongListLosesNoPhraseBehindIt) {
    std::string ini = "[snooper]\r\nuse=1\r\n";
    for (int i = 0; i < 2000; ++i)
        ini += "x" + std::to_string(i) + "=" + (i == 1 ? std::string() : scramble("phrase " + std::to_string(i))) + "\r\n";
    Install install(ini);
    runSheet(kScanner, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        std::vector<std::string> shown = listItems(page, IDC_SCAN_PHRASES);
        ASSERT_EQ(shown.size(), 1999u);
        EXPECT_EQ(shown[1], "phrase 2");
        pressOk(sheet);
    });
    EXPECT_EQ(unscramble(install.ini("snooper", "x1")), "phrase 2");
    EXPECT_EQ(unscramble(install.ini("snooper", "x1998")), "phrase 1999");
    EXPECT_EQ(install.ini("snooper", "x1999"), "<none>");
    EXPECT_EQ(install.ini("snooper", "mod"), "1");
    EXPECT_EQ(install.keys("snooper").front(), "use") << "use first, then the phrases, dst and the change key";
    EXPECT_EQ(install.keys("snooper").back(), "mod");
}

}  // namespace
