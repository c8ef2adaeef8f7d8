// The listing of dial-up entries: GetW95DUNs and the internal listing used
// by the dial-up page and the wizard, linked statically.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connect/dialup_list.h"
#include "connect_fixture.h"
#include "utilities.h"

using namespace connect_test;

namespace {

std::vector<std::string> entries(HWND combo) {
    std::vector<std::string> out;
    LRESULT n = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < n; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        out.push_back(text);
    }
    return out;
}

class DialUpList : public HandlerTest {
protected:
    void SetUp() override {
        HandlerTest::SetUp();
        combo = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 200, 200, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    void TearDown() override {
        DestroyWindow(combo);
        HandlerTest::TearDown();
    }
    HWND combo = nullptr;
};

}  // namespace

TEST_F(DialUpList, OnNtTheHandlerFillsTheComboBox) {
    writeScript({"entry0=Office ISP", "entry1=Backup, Line 2", "entry2=Home"});
    util::listDialUpConnectionsOn(VER_PLATFORM_WIN32_NT, combo);
    EXPECT_EQ(entries(combo), (std::vector<std::string>{"Office ISP", "Backup, Line 2", "Home"}));
    EXPECT_EQ(countLines(handlerLog(), "USER+8 added=3"), 1);

    // The platform this runs on reports NT, and nothing is added on
    // platforms that are neither family.
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    util::listDialUpConnections(combo);
    EXPECT_EQ(entries(combo).size(), 3u);
    SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    util::listDialUpConnectionsOn(VER_PLATFORM_WIN32s, combo);
    EXPECT_TRUE(entries(combo).empty());
    EXPECT_EQ(countLines(handlerLog(), "USER+8"), 2);
}

TEST_F(DialUpList, OnWindows95TheRegistryIsRead) {
    HKEY entry;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Dial Home", &entry), ERROR_SUCCESS);
    RegCloseKey(entry);
    util::listDialUpConnectionsOn(VER_PLATFORM_WIN32_WINDOWS, combo);
    RegDeleteKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Dial Home");
    RegDeleteKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile");
    EXPECT_EQ(entries(combo), (std::vector<std::string>{"Dial Home"}));
    EXPECT_FALSE(testing_support::fileExists(file("rashand.log"))) << "the handler is not needed";
}

TEST(DialUpEntries, RegistryProfilesOfWindows95) {
    const char* key = "RemoteAccess\\Profile";
    RegDeleteKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Office ISP");
    RegDeleteKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Backup Line");
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
    EXPECT_EQ(GetW95DUNs(nullptr), 0);

    HKEY entry;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Office ISP", &entry), ERROR_SUCCESS);
    RegCloseKey(entry);
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Backup Line", &entry), ERROR_SUCCESS);
    RegCloseKey(entry);
    HWND combo = CreateWindowA("COMBOBOX", "", WS_POPUP | CBS_DROPDOWNLIST | CBS_SORT | CBS_HASSTRINGS, 0, 0, 200,
                               200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(GetW95DUNs(combo), -1);
    EXPECT_EQ(GetW95DUNs(nullptr), -1);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 2);
    char text[64] = {};
    SendMessageA(combo, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Backup Line");
    SendMessageA(combo, CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Office ISP");
    DestroyWindow(combo);
    RegDeleteKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Office ISP");
    RegDeleteKeyA(HKEY_CURRENT_USER, "RemoteAccess\\Profile\\Backup Line");
    RegDeleteKeyA(HKEY_CURRENT_USER, key);
}
