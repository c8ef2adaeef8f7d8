// The Address Lists page through the real sheet: every change is written
// at once, a list made on the page is what a reminder sent to it uses, and
// an existing list is never overwritten.
#include <windows.h>

#include <gtest/gtest.h>

#include "admin/address_lists_ids.h"
#include "page_replies.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kAddressLists = "Address Lists";

std::string envelopeIn(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((folder + "\\*.adr").c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return "<none>";
    FindClose(find);
    return readFile(folder + "\\" + found.cFileName);
}

TEST(AddressListsPage, AListMadeOnThePageIsUsedByAReminderSentToIt) {
    Install install("[domain]\r\ndomain=example.org\r\nuse=1\r\n");
    runSheet(kAddressLists, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(listItems(page, IDC_AL_LISTS).empty());
        EXPECT_FALSE(enabled(page, IDC_AL_ADD_ADDRESS)) << "no list to add to";
        EXPECT_EQ(clickReplying(page, IDC_AL_NEW_LIST, {typing("staff")}), Seen{"Enter name for address list"});
        EXPECT_EQ(listItems(page, IDC_AL_LISTS), std::vector<std::string>{"staff"});
        EXPECT_EQ(listSelection(page, IDC_AL_LISTS), 0);
        EXPECT_TRUE(enabled(page, IDC_AL_ADD_ADDRESS));
        EXPECT_FALSE(enabled(page, IDC_AL_EDIT_ADDRESS)) << "no address yet";
        EXPECT_EQ(clickReplying(page, IDC_AL_ADD_ADDRESS, {typing("ann@example.org")}), Seen{"Enter email address"});
        clickReplying(page, IDC_AL_ADD_ADDRESS, {typing("bob@example.org")});
        EXPECT_EQ(listSelection(page, IDC_AL_ADDRESSES), 1);
        EXPECT_EQ(readFile(install.file("address lists\\staff.txt")), "ann@example.org\r\nbob@example.org\r\n")
            << "written at once";
        pressCancel(sheet);
    });

    CreateDirectoryA(install.file("tmp").c_str(), nullptr);
    install.set("0auto0", "subject", "Stock take");
    install.set("0auto0", "year", "2020");
    install.set("0auto0", "totype", "2");
    install.set("0auto0", "todata", "staff");
    CheckReminders();
    EXPECT_EQ(envelopeIn(install.file("tmp")),
              "MAIL FROM: <root@example.org>\r\nRCPT TO: <ann@example.org>\r\nRCPT TO: <bob@example.org>\r\n");
}

TEST(AddressListsPage, AnExistingListNameIsRefusedAndItsFileLeftUntouched) {
    Install install;
    CreateDirectoryA(install.file("address lists").c_str(), nullptr);
    writeFile(install.file("address lists\\staff.txt"), "ann@example.org\r\n");
    writeFile(install.file("address lists\\board.txt"), "");
    runSheet(kAddressLists, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_AL_LISTS), (std::vector<std::string>{"board", "staff"}));
        for (const char* name : {"STAFF", "..\\staff", "a~b"}) {
            Seen seen = clickReplying(page, IDC_AL_NEW_LIST, {typing(name), pressing("Name Error", IDOK)});
            EXPECT_EQ(seen, (Seen{"Enter name for address list", "Please choose a different name for this list"}))
                << name;
        }
        EXPECT_EQ(listItems(page, IDC_AL_LISTS).size(), 2u);
        pressCancel(sheet);
    });
    EXPECT_EQ(readFile(install.file("address lists\\staff.txt")), "ann@example.org\r\n");
    EXPECT_FALSE(fileExists(install.file("staff.txt")));
    EXPECT_FALSE(fileExists(install.file("address lists\\a~b.txt")));
}

TEST(AddressListsPage, DeletingTheLastAddressLeavesAnEmptyFile) {
    Install install;
    CreateDirectoryA(install.file("address lists").c_str(), nullptr);
    writeFile(install.file("address lists\\solo.txt"), "\r\nonly@example.org\r\n\r\n");
    runSheet(kAddressLists, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_AL_ADDRESSES), std::vector<std::string>{"only@example.org"});
        click(page, IDC_AL_DELETE_ADDRESS);
        EXPECT_TRUE(listItems(page, IDC_AL_ADDRESSES).empty());
        EXPECT_FALSE(enabled(page, IDC_AL_DELETE_ADDRESS));
        EXPECT_FALSE(enabled(page, IDC_AL_EDIT_ADDRESS));
        pressCancel(sheet);
    });
    EXPECT_TRUE(fileExists(install.file("address lists\\solo.txt")));
    EXPECT_EQ(fileSize(install.file("address lists\\solo.txt")), 0);
}

TEST(AddressListsPage, AddressesNeedAnAtAndEditReplacesInPlace) {
    Install install;
    CreateDirectoryA(install.file("address lists").c_str(), nullptr);
    writeFile(install.file("address lists\\team.txt"), "a@example.org\r\nb@example.org\r\nc@example.org\r\n");
    runSheet(kAddressLists, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        Seen seen = clickReplying(page, IDC_AL_ADD_ADDRESS, {typing("nobody"), pressing("Error", IDOK)});
        EXPECT_EQ(seen, (Seen{"Enter email address", "Please enter a valid email address eg fred@example.com"}));
        selectListItem(page, IDC_AL_ADDRESSES, 1);
        EXPECT_EQ(clickReplying(page, IDC_AL_EDIT_ADDRESS, {typing("bee@example.org")}), Seen{"Edit email address"});
        EXPECT_EQ(listItems(page, IDC_AL_ADDRESSES),
                  (std::vector<std::string>{"a@example.org", "bee@example.org", "c@example.org"}));
        EXPECT_EQ(listSelection(page, IDC_AL_ADDRESSES), 1);
        pressCancel(sheet);
    });
    EXPECT_EQ(readFile(install.file("address lists\\team.txt")), "a@example.org\r\nbee@example.org\r\nc@example.org\r\n");
}

TEST(AddressListsPage, DeletingAListAsksFirstAndSelectsTheOneBefore) {
    Install install;
    CreateDirectoryA(install.file("address lists").c_str(), nullptr);
    for (const char* name : {"alpha", "beta", "gamma"})
        writeFile(install.file(std::string("address lists\\") + name + ".txt"), std::string(name) + "@example.org\r\n");
    runSheet(kAddressLists, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        selectListItem(page, IDC_AL_LISTS, 1);
        EXPECT_EQ(listItems(page, IDC_AL_ADDRESSES), std::vector<std::string>{"beta@example.org"});
        EXPECT_EQ(clickReplying(page, IDC_AL_DELETE_LIST, {pressing("Confirm", IDNO)}), Seen{"Please confirm delete..."});
        EXPECT_TRUE(fileExists(install.file("address lists\\beta.txt")));
        clickReplying(page, IDC_AL_DELETE_LIST, {pressing("Confirm", IDYES)});
        EXPECT_FALSE(fileExists(install.file("address lists\\beta.txt")));
        EXPECT_EQ(listItems(page, IDC_AL_LISTS), (std::vector<std::string>{"alpha", "gamma"}));
        EXPECT_EQ(listSelection(page, IDC_AL_LISTS), 0) << "the one before";
        EXPECT_EQ(listItems(page, IDC_AL_ADDRESSES), std::vector<std::string>{"alpha@example.org"});
        pressCancel(sheet);
    });
}

}  // namespace
