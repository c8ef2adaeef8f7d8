// The Attachments page through the real sheet: the stored lists, the
// enabling box, the four move buttons, the senders entered through the
// prompt, and Apply rewriting the attach section whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "admin/attachments_ids.h"
#include "support/ui_driver.h"
#include "ui/prompt_ids.h"

using namespace drive;

namespace {

constexpr const char* kAttachments = "Attachments";
const std::vector<std::string> kCandidates = {"*.doc", "*.mdb", "*.mde", "*.pdf", "*.pps", "*.ppt", "*.xls", "*.zip"};

constexpr int kRuled[] = {IDC_ATT_TYPES,       IDC_ATT_ADD_TYPE,    IDC_ATT_ADD_ALL,     IDC_ATT_REMOVE_ALL,
                          IDC_ATT_REMOVE_TYPE, IDC_ATT_KEPT_TYPES,  IDC_ATT_ADDRESSES,   IDC_ATT_ADD_ADDRESS,
                          IDC_ATT_EDIT_ADDRESS, IDC_ATT_FOLDER,     IDC_ATT_BROWSE,      IDC_ATT_LEAVE_COPY,
                          IDC_ATT_LBL_FOLDER};

// Enters an address through the prompt that a button opens.
void enterThroughPrompt(HWND page, int button, const std::string& entry, const std::string& expectInitial = "") {
    bool opened = clickOpening(page, button, "Enter Information", [&](HWND prompt) {
        EXPECT_EQ(text(prompt, IDC_PROMPT_EDIT), expectInitial);
        setText(prompt, IDC_PROMPT_EDIT, entry);
        click(prompt, IDOK);
    });
    EXPECT_TRUE(opened);
}

TEST(AttachmentsPage, ShowsTheStoredListsAndIsLiveOnlyWithRemovalOn) {
    Install install("[attach]\r\ntype0=*.pdf\r\ntype1=*.doc\r\ntype3=*.zip\r\naddress0=boss@example.com\r\n");
    runSheet(kAttachments, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_ATT_TYPES), kCandidates);
        EXPECT_EQ(listItems(page, IDC_ATT_KEPT_TYPES), (std::vector<std::string>{"*.pdf", "*.doc"}))
            << "up to the first missing key";
        EXPECT_EQ(listItems(page, IDC_ATT_ADDRESSES), std::vector<std::string>{"boss@example.com"});
        EXPECT_FALSE(checked(page, IDC_ATT_ENABLE));
        EXPECT_TRUE(checked(page, IDC_ATT_LEAVE_COPY));
        for (int id : kRuled) EXPECT_FALSE(enabled(page, id)) << id;
        click(page, IDC_ATT_ENABLE);
        for (int id : kRuled) EXPECT_TRUE(enabled(page, id)) << id;
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("attach"), (std::vector<std::string>{"type0", "type1", "address0"}));
    EXPECT_EQ(install.ini("attachments", "use"), "1");
    EXPECT_EQ(install.ini("attachments", "leave-copy"), "1");
    EXPECT_EQ(install.ini("attachments", "folder"), "");
}

TEST(AttachmentsPage, TheMoveButtonsKeepEachTypeOnce) {
    Install install("[attachments]\r\nuse=1\r\n[attach]\r\ntype0=*.doc\r\n");
    runSheet(kAttachments, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        selectListItem(page, IDC_ATT_TYPES, 7);
        click(page, IDC_ATT_ADD_TYPE);
        selectListItem(page, IDC_ATT_TYPES, 0);
        click(page, IDC_ATT_ADD_TYPE);
        EXPECT_EQ(listItems(page, IDC_ATT_KEPT_TYPES), (std::vector<std::string>{"*.doc", "*.zip"}))
            << "a kept type is not added twice";
        EXPECT_EQ(listSelection(page, IDC_ATT_KEPT_TYPES), 0) << "the kept one is selected instead";
        click(page, IDC_ATT_ADD_ALL);
        EXPECT_EQ(listItems(page, IDC_ATT_KEPT_TYPES), kCandidates);
        selectListItem(page, IDC_ATT_KEPT_TYPES, 3);
        click(page, IDC_ATT_REMOVE_TYPE);
        EXPECT_EQ(listItems(page, IDC_ATT_KEPT_TYPES).size(), 7u);
        EXPECT_EQ(listSelection(page, IDC_ATT_KEPT_TYPES), 0);
        pressApply(sheet);
        EXPECT_EQ(install.ini("attach", "type3"), "*.pps");
        EXPECT_EQ(install.ini("attach", "type7"), "<none>");
        click(page, IDC_ATT_REMOVE_ALL);
        EXPECT_TRUE(listItems(page, IDC_ATT_KEPT_TYPES).empty());
        pressOk(sheet);
    });
    EXPECT_TRUE(install.keys("attach").empty());
}

TEST(AttachmentsPage, SendersAreEnteredThroughThePromptAndMustHoldAnAt) {
    Install install("[attachments]\r\nuse=1\r\n[attach]\r\naddress0=a@example.com\r\naddress1=b@example.com\r\n");
    runSheet(kAttachments, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(expectingBox("Error", [&] { enterThroughPrompt(page, IDC_ATT_ADD_ADDRESS, "nobody"); }),
                  "Please enter a valid email address eg postmaster@example.com");
        EXPECT_EQ(listItems(page, IDC_ATT_ADDRESSES).size(), 2u);
        enterThroughPrompt(page, IDC_ATT_ADD_ADDRESS, "");
        EXPECT_EQ(listItems(page, IDC_ATT_ADDRESSES).size(), 2u) << "nothing entered, nothing added";
        enterThroughPrompt(page, IDC_ATT_ADD_ADDRESS, "sales@example.com");
        EXPECT_EQ(listSelection(page, IDC_ATT_ADDRESSES), 2);

        selectListItem(page, IDC_ATT_ADDRESSES, 0);
        enterThroughPrompt(page, IDC_ATT_EDIT_ADDRESS, "ann@example.com", "a@example.com");
        EXPECT_EQ(listItems(page, IDC_ATT_ADDRESSES),
                  (std::vector<std::string>{"ann@example.com", "b@example.com", "sales@example.com"}));
        EXPECT_EQ(listSelection(page, IDC_ATT_ADDRESSES), 0);

        selectListItem(page, IDC_ATT_ADDRESSES, 2);
        click(page, IDC_ATT_REMOVE_ADDRESS);
        EXPECT_EQ(listSelection(page, IDC_ATT_ADDRESSES), 1) << "the nearest entry above";
        selectListItem(page, IDC_ATT_ADDRESSES, 0);
        click(page, IDC_ATT_REMOVE_ADDRESS);
        EXPECT_EQ(listItems(page, IDC_ATT_ADDRESSES), std::vector<std::string>{"b@example.com"});
        EXPECT_EQ(listSelection(page, IDC_ATT_ADDRESSES), 0) << "the entry now in its place";
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("attach"), std::vector<std::string>{"address0"});
    EXPECT_EQ(install.ini("attach", "address0"), "b@example.com");
}

TEST(AttachmentsPage, AnEmptyEntryInALongListLosesNoEntryBehindIt) {
    std::string ini = "[attachments]\r\nuse=1\r\n[attach]\r\n";
    for (int i = 0; i < 2000; ++i) {
        ini += "type" + std::to_string(i) + "=" + (i == 0 ? std::string() : "*.t" + std::to_string(i)) + "\r\n";
        ini += "address" + std::to_string(i) + "=" + (i == 5 ? std::string() : "s" + std::to_string(i) + "@example.org") + "\r\n";
    }
    Install install(ini);
    runSheet(kAttachments, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_ATT_KEPT_TYPES).size(), 1999u);
        EXPECT_EQ(listItems(page, IDC_ATT_ADDRESSES).size(), 1999u);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("attach", "type0"), "*.t1");
    EXPECT_EQ(install.ini("attach", "type1998"), "*.t1999");
    EXPECT_EQ(install.ini("attach", "address5"), "s6@example.org");
    EXPECT_EQ(install.ini("attach", "address1998"), "s1999@example.org");
    EXPECT_EQ(install.ini("attach", "type1999"), "<none>");
    EXPECT_EQ(install.ini("attach", "address1999"), "<none>");
}

}  // namespace
