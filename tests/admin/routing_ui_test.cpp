// The Routing page through the real sheet: filters are loaded up to the
// first gap, edited in the temporary copy and stored field by field at
// Apply; the rule of the actions that end processing, Delete, Move, the
// parameter dialogs and choosers, and Cancel leaving ms.ini as it was.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <sstream>

#include "admin/auto_printing_ids.h"
#include "admin/filters_ids.h"
#include "admin/relay_options_ids.h"
#include "admin/routing_ids.h"
#include "admin/select_choice_ids.h"
#include "support/ui_driver.h"
#include "ui/prompt_ids.h"

using namespace drive;
using namespace testing_support;

namespace {

constexpr const char* kRouting = "Routing";

const char* kSales =
    "Sales~1~1~0~0~2~0~quote~1~3~5~@example.org~1~Header: on~4~boss@example.org~7~sales@office.example~"
    "8~C:\\mail\\sales~6~anna@office.example~";
const char* kLists =
    "Lists~2~2~0~0~0~2~news@office.example~0~3~1~stale condition~12~customers~13~old customers~"
    "14~staff~9~C:\\replies\\info.txt~15~members~";
const char* kMixed =
    "Mixed~3~1~0~0~9~6~X-Spam~3~10~0~unsubscribe~10~C:\\docs\\price list.pdf~11~C:\\tools\\log.exe /q~"
    "16~C:\\attachments~17~1:1: :bounce@example.net:1:0:example.org: :0:0: : : :1:1: :Office:office@example.org~"
    "5~desk@example.org~";

std::string routes(std::initializer_list<const char*> records) {
    std::string ini = "[routes]\r\n";
    int n = 0;
    for (const char* record : records) ini += "operation" + std::to_string(n++) + "=" + record + "\r\n";
    return ini;
}

std::vector<std::string> fields(const std::string& record) {
    std::vector<std::string> out;
    std::string field;
    std::istringstream in(record);
    while (std::getline(in, field, '~')) out.push_back(field);
    return out;
}

// What the temporary copy holds in a section.
std::string scratch(const Install& install, const char* section, int n) {
    char value[4096] = {};
    GetPrivateProfileStringA(section, ("operation" + std::to_string(n)).c_str(), "<none>", value, sizeof value,
                             install.file("temp\\ordinal.cdf").c_str());
    return value;
}

// Chooses a combo entry as the user would: with CBN_SELCHANGE.
void chooseCombo(HWND dialog, int id, int index) {
    SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

// Picks entry index of the pop-up menu that the click opens, by keyboard.
void clickChoosingFromMenu(HWND page, int id, int index, std::vector<std::string>* shown = nullptr) {
    runLater(300, [index, shown] {
        HWND menu = findThreadWindow("#32768", "");
        if (!menu) return;
        HMENU handle = reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0));
        if (shown && handle) {
            for (int i = 0; i < GetMenuItemCount(handle); ++i) {
                char text[256] = {};
                GetMenuStringA(handle, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
                shown->push_back(text);
            }
        }
        for (int i = 0; i <= index; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, VK_RETURN, 0);
    });
    click(page, id);
    pumpFor(100);
}

// Runs action, answering the message box titled title that it shows;
// the box's text ("" when none came).
std::string answeringBox(const char* title, const std::function<void()>& action) {
    auto seen = std::make_shared<std::string>();
    whenShown("#32770", title, [seen](HWND box) {
        if (!box) return;
        *seen = messageBoxText(box);
        SendMessageA(box, WM_COMMAND, IDOK, 0);
    });
    action();
    pumpFor(200);
    return *seen;
}

void rightClick(HWND page, int id) {
    HWND button = GetDlgItem(page, id);
    SendMessageA(page, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(button), MAKELPARAM(10, 10));
    pumpFor(50);
}

constexpr int kActionCombos[] = {IDC_ROUTE_ACTION1, IDC_ROUTE_ACTION2, IDC_ROUTE_ACTION3, IDC_ROUTE_ACTION4,
                                 IDC_ROUTE_ACTION5};
constexpr int kParameters[] = {IDC_ROUTE_PARAM1, IDC_ROUTE_PARAM2, IDC_ROUTE_PARAM3, IDC_ROUTE_PARAM4,
                               IDC_ROUTE_PARAM5};

TEST(RoutingPage, LoadsUpToTheFirstGapIntoBothSectionsOfTheCopyAndShowsTheFirst) {
    Install install("[routes]\r\noperation0=" + std::string(kSales) + "\r\noperation1=" + kLists +
                    "\r\noperation2=" + kMixed + "\r\noperation4=" + kSales + "\r\n");
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(listItems(page, IDC_ROUTE_LIST), (std::vector<std::string>{"Sales", "Lists", "Mixed"}));
        EXPECT_EQ(listSelection(page, IDC_ROUTE_LIST), 0);
        for (int n = 0; n < 3; ++n) {
            EXPECT_EQ(scratch(install, "routes", n), install.ini("routes", "operation" + std::to_string(n)));
            EXPECT_EQ(scratch(install, "working", n), scratch(install, "routes", n));
        }
        EXPECT_EQ(scratch(install, "routes", 3), "<none>");

        EXPECT_TRUE(checked(page, IDC_ROUTE_EXTERNAL));
        EXPECT_TRUE(checked(page, IDC_ROUTE_ACTIVE));
        EXPECT_EQ(comboSelection(page, IDC_ROUTE_SUBJECT1), "Subject Line");
        EXPECT_EQ(comboSelection(page, IDC_ROUTE_OPERATOR1), "Contains");
        EXPECT_EQ(text(page, IDC_ROUTE_VALUE1), "quote");
        EXPECT_EQ(comboSelection(page, IDC_ROUTE_CONJUNCTION), "And");
        EXPECT_EQ(comboSelection(page, IDC_ROUTE_SUBJECT2), "To Line");
        EXPECT_EQ(comboSelection(page, IDC_ROUTE_OPERATOR2), "Ends with");
        EXPECT_TRUE(enabled(page, IDC_ROUTE_VALUE2));
        EXPECT_EQ(comboSelection(page, IDC_ROUTE_ACTION5), "Transfer to mailbox");
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM1), "Header: on");
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM2), "boss@example.org");
        EXPECT_EQ(comboItems(page, IDC_ROUTE_ACTION1).size(), 19u);

        // Inactive (2), conjunction Off with a second condition kept.
        selectListItem(page, IDC_ROUTE_LIST, 1);
        EXPECT_TRUE(checked(page, IDC_ROUTE_INTERNAL));
        EXPECT_FALSE(checked(page, IDC_ROUTE_ACTIVE));
        EXPECT_EQ(comboSelection(page, IDC_ROUTE_CONJUNCTION), "Off");
        EXPECT_EQ(text(page, IDC_ROUTE_VALUE2), "stale condition");
        EXPECT_FALSE(enabled(page, IDC_ROUTE_SUBJECT2));
        EXPECT_FALSE(enabled(page, IDC_ROUTE_VALUE2));
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM5), "members");

        selectListItem(page, IDC_ROUTE_LIST, 2);
        EXPECT_TRUE(checked(page, IDC_ROUTE_ALL));
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM4), "Relay options...");
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("routes"), (std::vector<std::string>{"operation0", "operation1", "operation2"}));
    EXPECT_EQ(install.ini("routes", "operation0"), kSales);
    EXPECT_EQ(install.ini("routes", "operation1"), kLists) << "active 2 and the Off conjunction's fields kept";
    EXPECT_EQ(install.ini("routes", "operation2"), kMixed);
}

TEST(RoutingPage, NewFilterWithConditionsAndFiveActionsIsStoredFieldByField) {
    Install install("[mailbox0]\r\naddress=root\r\n[mailbox1]\r\naddress=anna\r\n[mailbox2]\r\naddress=ben\r\n"
                    "[domain]\r\ndomain=office.example\r\n");
    CreateDirectoryA(install.file("address lists").c_str(), nullptr);
    testing_support::writeFile(install.file("address lists\\customers.txt"), "a@b.c\r\n");
    testing_support::writeFile(install.file("address lists\\staff.txt"), "");
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_FALSE(enabled(page, IDC_ROUTE_DELETE)) << "no filters";
        EXPECT_FALSE(enabled(page, IDC_ROUTE_ACTIVE));
        EXPECT_FALSE(enabled(page, IDC_ROUTE_VALUE1));
        bool opened = clickOpening(page, IDC_ROUTE_NEW, "New Filter", [](HWND dialog) {
            EXPECT_EQ(text(dialog, IDC_FILTERS_PROMPT), "Please enter a name for this filter...");
            EXPECT_TRUE(checked(dialog, IDC_FILTERS_ALL));
            setText(dialog, IDC_FILTERS_TEXT, "Invoices");
            click(dialog, IDC_FILTERS_EXTERNAL);
            click(dialog, IDOK);
        });
        ASSERT_TRUE(opened);
        EXPECT_EQ(listItems(page, IDC_ROUTE_LIST), std::vector<std::string>{"Invoices"});
        EXPECT_EQ(listSelection(page, IDC_ROUTE_LIST), 0);
        EXPECT_TRUE(checked(page, IDC_ROUTE_ACTIVE));
        EXPECT_TRUE(checked(page, IDC_ROUTE_EXTERNAL));
        for (int id : kParameters) EXPECT_EQ(text(page, id), "Unspecified operation...");
        EXPECT_FALSE(enabled(page, IDC_ROUTE_ACTION1)) << "no condition yet";
        EXPECT_FALSE(enabled(page, IDC_ROUTE_CONJUNCTION));

        chooseCombo(page, IDC_ROUTE_SUBJECT1, 2);
        chooseCombo(page, IDC_ROUTE_OPERATOR1, 4);
        setText(page, IDC_ROUTE_VALUE1, "Invoice");
        EXPECT_TRUE(enabled(page, IDC_ROUTE_ACTION1));
        EXPECT_FALSE(enabled(page, IDC_ROUTE_SUBJECT2)) << "conjunction Off";
        chooseCombo(page, IDC_ROUTE_CONJUNCTION, 3);
        EXPECT_TRUE(enabled(page, IDC_ROUTE_SUBJECT2));
        chooseCombo(page, IDC_ROUTE_SUBJECT2, 1);
        chooseCombo(page, IDC_ROUTE_OPERATOR2, 5);
        setText(page, IDC_ROUTE_VALUE2, "@trusted.example");

        chooseCombo(page, IDC_ROUTE_ACTION1, 1);
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM1), "Click to set options...");
        clickOpening(page, IDC_ROUTE_PARAM1, "Auto Printing", [](HWND dialog) {
            EXPECT_FALSE(checked(dialog, IDC_PRINT_HEADER));
            click(dialog, IDC_PRINT_HEADER);
            click(dialog, IDOK);
        });
        chooseCombo(page, IDC_ROUTE_ACTION2, 4);
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM2), "Click to enter address...");
        clickOpening(page, IDC_ROUTE_PARAM2, "Email Address", [](HWND dialog) {
            EXPECT_EQ(text(dialog, IDC_FILTERS_PROMPT), "Please enter an email address...");
            EXPECT_FALSE(visible(dialog, IDC_FILTERS_ALL));
            EXPECT_FALSE(visible(dialog, IDC_FILTERS_APPLIES_LABEL));
            setText(dialog, IDC_FILTERS_TEXT, "accounts@example.org");
            click(dialog, IDOK);
        });
        chooseCombo(page, IDC_ROUTE_ACTION3, 7);
        std::vector<std::string> menu;
        clickChoosingFromMenu(page, IDC_ROUTE_PARAM3, 1, &menu);
        EXPECT_EQ(menu, (std::vector<std::string>{"root@office.example", "anna@office.example", "ben@office.example"}));
        EXPECT_EQ(listItems(page, IDC_ROUTE_MENU_CHOICES), menu);
        chooseCombo(page, IDC_ROUTE_ACTION4, 14);
        clickChoosingFromMenu(page, IDC_ROUTE_PARAM4, 1);
        chooseCombo(page, IDC_ROUTE_ACTION5, 3);
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM5).substr(0, 20), "Send an undelivered ") << "cut to fit, if at all";
        pressApply(sheet);
        pressCancel(sheet);
    });
    const std::vector<std::string> expected = {
        "Invoices", "1", "1", "0", "0", "2", "4", "Invoice", "3", "1", "5", "@trusted.example",
        "1", "Header: on", "4", "accounts@example.org", "7", "anna@office.example", "14", "staff",
        "3", "Send an undelivered mail message..."};
    const std::string stored = install.ini("routes", "operation0");
    EXPECT_EQ(fields(stored), expected);
    EXPECT_EQ(stored.back(), '~');
    EXPECT_FALSE(testing_support::fileExists(install.file("temp\\ordinal.cdf"))) << "Cancel after Apply";
}

TEST(RoutingPage, DeleteTheMessageInSlotOneDisablesTheRestAndStoresThemAsNoOperation) {
    Install install(routes({kSales}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        for (int slot = 1; slot < 4; ++slot) EXPECT_TRUE(enabled(page, kActionCombos[slot]));
        chooseCombo(page, IDC_ROUTE_ACTION1, 2);
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM1), "Remove message...");
        EXPECT_TRUE(enabled(page, IDC_ROUTE_ACTION1));
        for (int slot = 1; slot < 5; ++slot) {
            EXPECT_FALSE(enabled(page, kActionCombos[slot])) << slot;
            EXPECT_FALSE(enabled(page, kParameters[slot])) << slot;
            EXPECT_EQ(comboSelection(page, kActionCombos[slot]), "No operation");
            EXPECT_EQ(text(page, kParameters[slot]), "Unspecified operation...");
        }
        chooseCombo(page, IDC_ROUTE_ACTION1, 0);
        EXPECT_TRUE(enabled(page, IDC_ROUTE_ACTION5)) << "live again after another action";
        chooseCombo(page, IDC_ROUTE_ACTION1, 2);
        pressOk(sheet);
    });
    std::vector<std::string> stored = fields(install.ini("routes", "operation0"));
    ASSERT_EQ(stored.size(), 22u);
    EXPECT_EQ(stored[12], "2");
    EXPECT_EQ(stored[13], "Remove message...");
    for (int field = 14; field < 22; field += 2) {
        EXPECT_EQ(stored[field], "0");
        EXPECT_EQ(stored[field + 1], "Unspecified operation...");
    }
    EXPECT_EQ(stored[7], "quote") << "the conditions as they were";
}

TEST(RoutingPage, DeleteRenumbersBothSectionsAndSelectsTheSamePosition) {
    Install install(routes({kSales, kLists, kMixed}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        selectListItem(page, IDC_ROUTE_LIST, 1);
        click(page, IDC_ROUTE_DELETE);
        EXPECT_EQ(listItems(page, IDC_ROUTE_LIST), (std::vector<std::string>{"Sales", "Mixed"}));
        EXPECT_EQ(listSelection(page, IDC_ROUTE_LIST), 1);
        EXPECT_TRUE(checked(page, IDC_ROUTE_ALL)) << "Mixed is shown";
        for (const char* section : {"routes", "working"}) {
            EXPECT_EQ(scratch(install, section, 0), kSales);
            EXPECT_EQ(scratch(install, section, 1), kMixed);
            EXPECT_EQ(scratch(install, section, 2), "<none>");
        }
        click(page, IDC_ROUTE_DELETE);
        EXPECT_EQ(listSelection(page, IDC_ROUTE_LIST), 0) << "the last one";
        click(page, IDC_ROUTE_DELETE);
        EXPECT_TRUE(listItems(page, IDC_ROUTE_LIST).empty());
        EXPECT_FALSE(enabled(page, IDC_ROUTE_DELETE));
        EXPECT_FALSE(enabled(page, IDC_ROUTE_INTERNAL));
        EXPECT_FALSE(enabled(page, IDC_ROUTE_SUBJECT1));
        EXPECT_FALSE(enabled(page, IDC_ROUTE_ACTION1));
        pressOk(sheet);
    });
    EXPECT_TRUE(install.keys("routes").empty());
}

TEST(RoutingPage, MoveUpAndDownSwapNeighboursAndKeepThePendingEdit) {
    Install install(routes({kSales, kLists, kMixed}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_ROUTE_UP);
        EXPECT_EQ(listItems(page, IDC_ROUTE_LIST), (std::vector<std::string>{"Sales", "Lists", "Mixed"}))
            << "nothing above the first";
        setText(page, IDC_ROUTE_VALUE1, "order");
        click(page, IDC_ROUTE_DOWN);
        EXPECT_EQ(listItems(page, IDC_ROUTE_LIST), (std::vector<std::string>{"Lists", "Sales", "Mixed"}));
        EXPECT_EQ(listSelection(page, IDC_ROUTE_LIST), 1);
        EXPECT_EQ(text(page, IDC_ROUTE_VALUE1), "order");
        EXPECT_EQ(fields(scratch(install, "working", 1))[7], "order");
        click(page, IDC_ROUTE_DOWN);
        click(page, IDC_ROUTE_DOWN);
        EXPECT_EQ(listItems(page, IDC_ROUTE_LIST), (std::vector<std::string>{"Lists", "Mixed", "Sales"}));
        EXPECT_EQ(listSelection(page, IDC_ROUTE_LIST), 2);
        selectListItem(page, IDC_ROUTE_LIST, 0);
        click(page, IDC_ROUTE_UP);
        EXPECT_EQ(listSelection(page, IDC_ROUTE_LIST), 0);
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("routes", "operation0"), kLists);
    EXPECT_EQ(install.ini("routes", "operation1"), kMixed);
    EXPECT_EQ(fields(install.ini("routes", "operation2"))[7], "order");
}

TEST(RoutingPage, ActiveAndAppliesToChangeThePictureAndTheRecord) {
    Install install(routes({kSales, kLists}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_ROUTE_ACTIVE);
        EXPECT_FALSE(checked(page, IDC_ROUTE_ACTIVE));
        click(page, IDC_ROUTE_INTERNAL);
        selectListItem(page, IDC_ROUTE_LIST, 1);
        EXPECT_FALSE(checked(page, IDC_ROUTE_ACTIVE));
        SendMessageA(page, WM_COMMAND, MAKEWPARAM(IDC_ROUTE_LIST, LBN_DBLCLK),
                     reinterpret_cast<LPARAM>(GetDlgItem(page, IDC_ROUTE_LIST)));
        EXPECT_TRUE(checked(page, IDC_ROUTE_ACTIVE)) << "a double click toggles";
        pressOk(sheet);
    });
    std::vector<std::string> sales = fields(install.ini("routes", "operation0"));
    EXPECT_EQ(sales[1], "2");
    EXPECT_EQ(sales[2], "2");
    EXPECT_EQ(fields(install.ini("routes", "operation1"))[2], "1");
}

TEST(RoutingPage, RelayOptionsEnableByTheirBoxesAndRefuseBadEntries) {
    Install install(routes({kSales}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        chooseCombo(page, IDC_ROUTE_ACTION3, 17);
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM3), "Click to set options...");
        clickOpening(page, IDC_ROUTE_PARAM3, "Relay Options", [](HWND dialog) {
            EXPECT_FALSE(checked(dialog, IDC_RELAY_SENDER));
            EXPECT_FALSE(enabled(dialog, IDC_RELAY_SENDER_DOMAIN_OPT));
            EXPECT_FALSE(enabled(dialog, IDC_RELAY_SENDER_DOMAIN));
            click(dialog, IDC_RELAY_SENDER);
            EXPECT_TRUE(checked(dialog, IDC_RELAY_SENDER_DOMAIN_OPT));
            EXPECT_TRUE(enabled(dialog, IDC_RELAY_SENDER_DOMAIN));
            EXPECT_FALSE(enabled(dialog, IDC_RELAY_SENDER_ADDRESS));
            EXPECT_FALSE(enabled(dialog, IDC_RELAY_RECIPIENT_DOMAIN));
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please enter the domain...\r\n   eg example.com");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_RELAY_SENDER_DOMAIN));
            setText(dialog, IDC_RELAY_SENDER_DOMAIN, "example");
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please enter a valid domain...\r\n   eg example.com");
            setText(dialog, IDC_RELAY_SENDER_DOMAIN, "out.example:25");
            EXPECT_NE(clickExpectingError(dialog, IDOK).find("\":\""), std::string::npos);
            setText(dialog, IDC_RELAY_SENDER_DOMAIN, "out.example");

            click(dialog, IDC_RELAY_FROM);
            click(dialog, IDC_RELAY_FROM_ADDRESS_OPT);
            EXPECT_FALSE(enabled(dialog, IDC_RELAY_FROM_DOMAIN));
            EXPECT_TRUE(enabled(dialog, IDC_RELAY_FROM_NAME));
            EXPECT_EQ(clickExpectingError(dialog, IDOK), "Please a name...\r\n   eg Jane Smith");
            EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_RELAY_FROM_NAME));
            setText(dialog, IDC_RELAY_FROM_NAME, "Front Desk");
            setText(dialog, IDC_RELAY_FROM_ADDRESS, "front desk@example.org");
            EXPECT_EQ(clickExpectingError(dialog, IDOK),
                      "Please enter a valid address...\r\n   eg postmaster@example.com");
            setText(dialog, IDC_RELAY_FROM_ADDRESS, "front@example.org");
            click(dialog, IDOK);
        });
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM3), "Relay options...");
        const std::string relay = "1:0:out.example: :0:0: : :1:1: :Front Desk:front@example.org:0:0: : : ";
        EXPECT_EQ(fields(scratch(install, "routes", 0))[17], relay) << "written to the copy at once";
        clickOpening(page, IDC_ROUTE_PARAM3, "Relay Options", [](HWND dialog) {
            EXPECT_TRUE(checked(dialog, IDC_RELAY_FROM_ADDRESS_OPT));
            EXPECT_EQ(text(dialog, IDC_RELAY_FROM_NAME), "Front Desk");
            click(dialog, IDC_RELAY_SENDER);
            click(dialog, IDCANCEL);
        });
        EXPECT_EQ(fields(scratch(install, "routes", 0))[17], relay) << "Cancel changes nothing";
        pressCancel(sheet);
    });
}

TEST(RoutingPage, CancelLeavesMsIniAsItWasAndRemovesTheCopy) {
    Install install(routes({kSales, kLists}));
    const std::string before = testing_support::readFile(install.iniPath());
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(testing_support::fileExists(install.file("temp\\ordinal.cdf")));
        setText(page, IDC_ROUTE_VALUE1, "changed");
        click(page, IDC_ROUTE_DOWN);
        click(page, IDC_ROUTE_DELETE);
        clickOpening(page, IDC_ROUTE_NEW, "New Filter", [](HWND dialog) {
            setText(dialog, IDC_FILTERS_TEXT, "Added");
            click(dialog, IDOK);
        });
        EXPECT_EQ(listItems(page, IDC_ROUTE_LIST), (std::vector<std::string>{"Lists", "Added"}));
        pressCancel(sheet);
    });
    EXPECT_EQ(testing_support::readFile(install.iniPath()), before);
    EXPECT_FALSE(testing_support::fileExists(install.file("temp\\ordinal.cdf")));
}

TEST(RoutingPage, TildeIsRefusedInNamesAddressesAndConditionValues) {
    Install install(routes({kSales}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        clickOpening(page, IDC_ROUTE_NEW, "New Filter", [](HWND dialog) {
            setText(dialog, IDC_FILTERS_TEXT, "half~way");
            EXPECT_NE(clickExpectingError(dialog, IDOK).find("\"~\""), std::string::npos);
            EXPECT_TRUE(IsWindowVisible(dialog)) << "kept open";
            click(dialog, IDCANCEL);
        });
        clickOpening(page, IDC_ROUTE_PARAM2, "Email Address", [](HWND dialog) {
            EXPECT_EQ(text(dialog, IDC_FILTERS_TEXT), "boss@example.org");
            setText(dialog, IDC_FILTERS_TEXT, "bo~ss@example.org");
            EXPECT_NE(clickExpectingError(dialog, IDOK).find("\"~\""), std::string::npos);
            click(dialog, IDCANCEL);
        });
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM2), "boss@example.org");
        std::string refusal = answeringBox("Error", [page] { setText(page, IDC_ROUTE_VALUE1, "a~b"); });
        EXPECT_NE(refusal.find("\"~\""), std::string::npos);
        EXPECT_EQ(text(page, IDC_ROUTE_VALUE1), "ab");
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("routes"), std::vector<std::string>{"operation0"});
    EXPECT_EQ(fields(install.ini("routes", "operation0"))[7], "ab");
}

TEST(RoutingPage, ChoicesComeFromMailboxesAndAddressListsOrAWarning) {
    std::string accounts = "[domain]\r\nuse=0\r\nroot=admin@office.example\r\n";
    for (int i = 0; i < 11; ++i)
        accounts += "[mailbox" + std::to_string(i) + "]\r\naddress=user" + std::to_string(i) + "@office.example\r\n";
    Install install(accounts + routes({kLists}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(answeringBox("Warning", [page] { click(page, IDC_ROUTE_PARAM1); }),
                  "You do not have any address lists...");
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM1), "customers") << "unchanged";

        chooseCombo(page, IDC_ROUTE_ACTION1, 6);
        RECT button;
        GetWindowRect(GetDlgItem(page, IDC_ROUTE_PARAM1), &button);
        clickOpening(page, IDC_ROUTE_PARAM1, "Select...", [button](HWND dialog) {
            EXPECT_EQ(text(dialog, IDC_CHOICE_TITLE), "Please select the user...");
            std::vector<std::string> choices = listItems(dialog, IDC_CHOICE_LIST);
            ASSERT_EQ(choices.size(), 11u);
            EXPECT_EQ(choices[0], "admin@office.example") << "multi-domain: the administrator";
            EXPECT_EQ(choices[10], "user10@office.example");
            EXPECT_EQ(listSelection(dialog, IDC_CHOICE_LIST), 0);
            RECT placed;
            GetWindowRect(dialog, &placed);
            EXPECT_TRUE(placed.left == button.right || placed.right == GetSystemMetrics(SM_CXSCREEN)) << "beside";
            EXPECT_LE(placed.bottom, GetSystemMetrics(SM_CYSCREEN)) << "on the screen";
            selectListItem(dialog, IDC_CHOICE_LIST, 3);
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDC_CHOICE_LIST, LBN_DBLCLK),
                         reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_CHOICE_LIST)));
        });
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM1), "user3@office.example");
        EXPECT_FALSE(enabled(page, IDC_ROUTE_ACTION2)) << "Transfer to mailbox ends processing";
        pressOk(sheet);
    });
    std::vector<std::string> stored = fields(install.ini("routes", "operation0"));
    EXPECT_EQ(stored[12], "6");
    EXPECT_EQ(stored[13], "user3@office.example");
}

TEST(RoutingPage, RightButtonEditsAFileParameterAsTextAndActsAsTheLeftOtherwise) {
    Install install(routes({kLists}));
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        bool prompted = false;
        whenShown("#32770", "Enter Information", [&prompted](HWND dialog) {
            if (!dialog) return;
            prompted = true;
            EXPECT_EQ(text(dialog, IDC_PROMPT_TEXT), "Edit name of file to be mailed back...");
            EXPECT_EQ(text(dialog, IDC_PROMPT_EDIT), "C:\\replies\\info.txt");
            setText(dialog, IDC_PROMPT_EDIT, "C:\\replies\\prices.txt");
            click(dialog, IDOK);
        });
        rightClick(page, IDC_ROUTE_PARAM4);
        pumpFor(200);
        EXPECT_TRUE(prompted);
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM4), "C:\\replies\\prices.txt");

        chooseCombo(page, IDC_ROUTE_ACTION1, 4);
        bool opened = false;
        whenShown("#32770", "Email Address", [&opened](HWND dialog) {
            if (!dialog) return;
            opened = true;
            click(dialog, IDCANCEL);
        });
        rightClick(page, IDC_ROUTE_PARAM1);
        pumpFor(200);
        EXPECT_TRUE(opened);
        pressOk(sheet);
    });
    EXPECT_EQ(fields(install.ini("routes", "operation0"))[19], "C:\\replies\\prices.txt");
}

TEST(RoutingPage, FileAndFolderChoosersHaveTheirCaptionsAndSetTheParameter) {
    Install install(routes({kLists}));
    testing_support::writeFile(install.file("reply.txt"), "Thank you\r\n");
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        chooseCombo(page, IDC_ROUTE_ACTION1, 9);
        const std::string path = install.file("reply.txt");
        bool opened = clickOpening(page, IDC_ROUTE_PARAM1, "Email Back File", [&path](HWND dialog) {
            char filter[64] = {};
            GetDlgItemTextA(dialog, 0x470 /* the type combo */, filter, sizeof filter);
            EXPECT_STREQ(filter, "Text Files (*.txt)");
            setText(dialog, 0x47c /* the name combo */, path);
            click(dialog, IDOK);
        });
        EXPECT_TRUE(opened);
        EXPECT_EQ(fields(scratch(install, "routes", 0))[13], path);

        chooseCombo(page, IDC_ROUTE_ACTION2, 16);
        opened = clickOpening(page, IDC_ROUTE_PARAM2, "Select Folder", [](HWND dialog) {
            EXPECT_EQ(text(dialog, IDOK), "Select");
            click(dialog, IDCANCEL);
        });
        EXPECT_TRUE(opened);
        EXPECT_EQ(text(page, IDC_ROUTE_PARAM2), "Click to select directory...") << "cancelled: unchanged";
        pressCancel(sheet);
    });
}

// A value too short to be a filter and an empty one are left out; the
// filters behind them are shown, and Apply writes every one of them
// (numbered without gaps) instead of stopping at the first short value.
TEST(RoutingPage, AShortOrEmptyRecordInALongListLosesNoFilterBehindIt) {
    std::string ini = "[routes]\r\n";
    for (int i = 0; i < 2000; ++i) {
        std::string record = i == 1 ? "Short~3~" : i == 2 ? "" : "F" + std::to_string(i) + (kSales + 5);
        ini += "operation" + std::to_string(i) + "=" + record + "\r\n";
    }
    Install install(ini);
    runSheet(kRouting, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        std::vector<std::string> shown = listItems(page, IDC_ROUTE_LIST);
        ASSERT_EQ(shown.size(), 1998u);
        EXPECT_EQ(shown[1], "F3");
        pressOk(sheet);
    });
    EXPECT_EQ(fields(install.ini("routes", "operation1"))[0], "F3");
    EXPECT_EQ(fields(install.ini("routes", "operation1997"))[0], "F1999");
    EXPECT_EQ(install.ini("routes", "operation1998"), "<none>");
}

}  // namespace
