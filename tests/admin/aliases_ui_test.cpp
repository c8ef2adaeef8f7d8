// The Aliases page through the real sheet: records shown and stored in
// their "address~type~target" form, browsing and editing, and Save's
// refusals.
#include <windows.h>

#include <gtest/gtest.h>

#include "admin/aliases_ids.h"
#include "support/ui_driver.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kAliases = "Aliases";

void addLists(const Install& install) {
    CreateDirectoryA(install.file("address lists").c_str(), nullptr);
    for (const char* name : {"sales", "board"}) writeFile(install.file(std::string("address lists\\") + name + ".txt"), "");
}

TEST(AliasesPage, AnAllMailboxesAliasIsStoredWithItsFinalTildeAndReadBack) {
    Install install("[alias]\r\nmap0=info@example.org~0~ann@example.org\r\n");
    runSheet(kAliases, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_ALIAS_NEW);
        setText(page, IDC_ALIAS_ADDRESS, "everyone@example.org");
        click(page, IDC_ALIAS_TO_ALL);
        EXPECT_FALSE(enabled(page, IDC_ALIAS_TARGET));
        EXPECT_FALSE(enabled(page, IDC_ALIAS_LIST_CHOICE));
        click(page, IDC_ALIAS_SAVE);
        EXPECT_EQ(listItems(page, IDC_ALIAS_LIST), (std::vector<std::string>{"Convert info@example.org to ann@example.org",
                                                                             "Convert everyone@example.org to all mailboxes"}));
        EXPECT_EQ(listSelection(page, IDC_ALIAS_LIST), 1);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("alias", "map1"), "everyone@example.org~2~");
    runSheet(kAliases, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        selectListItem(page, IDC_ALIAS_LIST, 1);
        EXPECT_EQ(text(page, IDC_ALIAS_ADDRESS), "everyone@example.org");
        EXPECT_TRUE(checked(page, IDC_ALIAS_TO_ALL));
        EXPECT_FALSE(checked(page, IDC_ALIAS_TO_ADDRESS));
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("alias", "map1"), "everyone@example.org~2~");
}

// The arrow keys go round the three kinds of target as one group, and the
// target's edit is not part of it.
TEST(AliasesPage, TheThreeKindsOfTargetAreOneGroupForTheArrowKeys) {
    Install install;
    runSheet(kAliases, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_ALIAS_NEW);
        HWND toAddress = GetDlgItem(page, IDC_ALIAS_TO_ADDRESS), toList = GetDlgItem(page, IDC_ALIAS_TO_LIST),
             toAll = GetDlgItem(page, IDC_ALIAS_TO_ALL);
        EXPECT_EQ(GetNextDlgGroupItem(page, toAddress, FALSE), toList);
        EXPECT_EQ(GetNextDlgGroupItem(page, toList, FALSE), toAll);
        EXPECT_EQ(GetNextDlgGroupItem(page, toAll, FALSE), toAddress);
        EXPECT_EQ(GetNextDlgGroupItem(page, toAddress, TRUE), toAll);
        pressCancel(sheet);
    });
}

// Every check and its message is held in the core; here a refusal keeps
// the editing going with the focus on the refused field.
TEST(AliasesPage, SaveRefusesATildeAndKeepsEditing) {
    Install install;
    runSheet(kAliases, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_ALIAS_NEW);
        EXPECT_TRUE(checked(page, IDC_ALIAS_TO_ADDRESS));
        setText(page, IDC_ALIAS_ADDRESS, "sales@example.org");
        // "~" separates the record's pieces: it cannot be part of one.
        setText(page, IDC_ALIAS_TARGET, "ann@example.org~2~");
        EXPECT_EQ(clickExpectingError(page, IDC_ALIAS_SAVE),
                  "Please remove the ~ character from the address to convert to...");
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_ALIAS_TARGET));
        EXPECT_TRUE(enabled(page, IDC_ALIAS_SAVE)) << "still editing";
        EXPECT_TRUE(listItems(page, IDC_ALIAS_LIST).empty());
        click(page, IDC_ALIAS_CANCEL);
        EXPECT_FALSE(enabled(page, IDC_ALIAS_ADDRESS));
        EXPECT_EQ(text(page, IDC_ALIAS_ADDRESS), "");
        pressOk(sheet);
    });
    EXPECT_TRUE(install.keys("alias").empty());
}

TEST(AliasesPage, ListAliasesEditInPlaceAndDeleteSelectsTheNeighbour) {
    Install install("[alias]\r\nmap0=a@example.org~1~board\r\nmap1=b@example.org~1~gone\r\n"
                    "map2=c@example.org~0~cy@example.org\r\nmap4=orphan@example.org~2~\r\n");
    addLists(install);
    runSheet(kAliases, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_ALIAS_LIST),
                  (std::vector<std::string>{"Convert a@example.org to list board", "Convert b@example.org to list gone",
                                            "Convert c@example.org to cy@example.org"}));
        EXPECT_EQ(comboItems(page, IDC_ALIAS_LIST_CHOICE), (std::vector<std::string>{"board", "sales"}));
        EXPECT_EQ(comboSelection(page, IDC_ALIAS_LIST_CHOICE), "board");
        EXPECT_TRUE(checked(page, IDC_ALIAS_TO_LIST));
        EXPECT_FALSE(enabled(page, IDC_ALIAS_LIST_CHOICE)) << "browsing";
        selectListItem(page, IDC_ALIAS_LIST, 1);
        EXPECT_EQ(comboSelection(page, IDC_ALIAS_LIST_CHOICE), "board") << "a list no longer there: the first";

        click(page, IDC_ALIAS_EDIT);
        EXPECT_FALSE(enabled(page, IDC_ALIAS_LIST));
        EXPECT_TRUE(enabled(page, IDC_ALIAS_LIST_CHOICE));
        EXPECT_FALSE(enabled(page, IDC_ALIAS_TARGET));
        SendDlgItemMessageA(page, IDC_ALIAS_LIST_CHOICE, CB_SETCURSEL, 1, 0);
        click(page, IDC_ALIAS_SAVE);
        EXPECT_EQ(listItems(page, IDC_ALIAS_LIST)[1], "Convert b@example.org to list sales");
        EXPECT_EQ(listSelection(page, IDC_ALIAS_LIST), 1);

        click(page, IDC_ALIAS_DELETE);
        EXPECT_EQ(listSelection(page, IDC_ALIAS_LIST), 1);
        EXPECT_EQ(text(page, IDC_ALIAS_ADDRESS), "c@example.org");
        click(page, IDC_ALIAS_DELETE);
        click(page, IDC_ALIAS_DELETE);
        EXPECT_TRUE(listItems(page, IDC_ALIAS_LIST).empty());
        EXPECT_FALSE(enabled(page, IDC_ALIAS_DELETE)) << "nothing to act on";
        EXPECT_FALSE(enabled(page, IDC_ALIAS_EDIT));

        click(page, IDC_ALIAS_NEW);
        setText(page, IDC_ALIAS_ADDRESS, "s@example.org");
        click(page, IDC_ALIAS_TO_LIST);
        click(page, IDC_ALIAS_SAVE);
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("alias"), std::vector<std::string>{"map0"});
    EXPECT_EQ(install.ini("alias", "map0"), "s@example.org~1~board");
}

// A hand-edited list: an empty record and one without pieces are left out,
// every alias behind them is shown and written back, without the gaps.
TEST(AliasesPage, AnUnusableRecordInALongListLosesNoAliasBehindIt) {
    std::string ini = "[alias]\r\n";
    for (int i = 0; i < 2000; ++i)
        ini += "map" + std::to_string(i) + "=" +
               (i == 1 ? std::string() : i == 2 ? std::string("~~~") : "a" + std::to_string(i) + "@example.org~0~b@example.org") +
               "\r\n";
    Install install(ini);
    runSheet(kAliases, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        std::vector<std::string> shown = listItems(page, IDC_ALIAS_LIST);
        ASSERT_EQ(shown.size(), 1998u);
        EXPECT_EQ(shown[1], "Convert a3@example.org to b@example.org");
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("alias").size(), 1998u);
    EXPECT_EQ(install.ini("alias", "map1"), "a3@example.org~0~b@example.org");
    EXPECT_EQ(install.ini("alias", "map1997"), "a1999@example.org~0~b@example.org");
}

}  // namespace
