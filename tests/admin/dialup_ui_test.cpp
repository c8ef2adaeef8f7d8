// The Dialup page through the real sheet: its defaults, the connection list
// the stand-in dial-up handler fills, Apply's checks in order, and the
// service buttons as the stand-in Service.exe sees them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "admin/dialup_ids.h"
#include "connect/connect_fixture.h"
#include "support/ui_driver.h"

using namespace drive;
using testing_support::exeFolder;
using testing_support::readFile;

namespace {

constexpr const char* kDialup = "Dialup";
constexpr char kRunKey[] = "software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr char kRunValue[] = "brindlemailserver";

// An install folder with the stand-in handler beside ms.ini, scripted to
// list the given entries; no handler runs before or after a test.
class DialupPage : public ::testing::Test {
protected:
    void SetUp() override { connect_test::closeHandlers(); }
    void TearDown() override { connect_test::closeHandlers(); }

    static void withHandler(const Install& install, const std::vector<std::string>& entries) {
        ASSERT_TRUE(CopyFileA((exeFolder() + "\\rashand.exe").c_str(), install.file("rashand.exe").c_str(), FALSE));
        std::string script = "[script]\r\nidle_exit=60\r\n";
        for (std::size_t i = 0; i < entries.size(); ++i)
            script += "entry" + std::to_string(i) + "=" + entries[i] + "\r\n";
        testing_support::writeFile(install.file("rashand.ini"), script);
    }
};

std::string runValue() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return "<none>";
    char value[MAX_PATH] = {};
    DWORD size = sizeof value - 1;
    LONG found = RegQueryValueExA(key, kRunValue, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return found == ERROR_SUCCESS ? value : "<none>";
}

// Sets the Run value (or removes it, given null).
void setRunValue(const char* value) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (value) {
        RegSetValueExA(key, kRunValue, 0, REG_SZ, reinterpret_cast<const BYTE*>(value), lstrlenA(value) + 1);
    } else {
        RegDeleteValueA(key, kRunValue);
    }
    RegCloseKey(key);
}

std::string thisProgram() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

TEST_F(DialupPage, WithoutSettingsShowsLanAndTheDefaultsAndWritesOnlyTheType) {
    Install install;
    runSheet(kDialup, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(checked(page, IDC_DIAL_LAN));
        EXPECT_FALSE(checked(page, IDC_DIAL_DIALUP));
        EXPECT_EQ(text(page, IDC_DIAL_RETRIES), "3");
        EXPECT_EQ(text(page, IDC_DIAL_DELAY), "10");
        EXPECT_EQ(text(page, IDC_DIAL_WAIT), "120");
        for (int id : {IDC_DIAL_CONNECTION, IDC_DIAL_RETRIES, IDC_DIAL_DELAY, IDC_DIAL_DELAY_SPIN, IDC_DIAL_WAIT,
                       IDC_DIAL_LBL_CONNECTION, IDC_DIAL_LBL_SECONDS})
            EXPECT_FALSE(enabled(page, id)) << id;
        EXPECT_TRUE(enabled(page, IDC_DIAL_INSTALL_SERVICE));
        click(page, IDC_DIAL_INTERNAL);
        pressOk(sheet);
    });
    EXPECT_EQ(install.keys("dialup"), std::vector<std::string>{"type"});
    EXPECT_EQ(install.ini("dialup", "type"), "2");
}

TEST_F(DialupPage, DialUpListsTheMachinesConnectionsSortedWithTheStoredOneSelected) {
    Install install("[dialup]\r\ntype=0\r\nras=Home\r\ndelay=45\r\n");
    withHandler(install, {"Office ISP", "Backup Line", "Home"});
    runSheet(kDialup, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_TRUE(checked(page, IDC_DIAL_DIALUP));
        EXPECT_EQ(comboItems(page, IDC_DIAL_CONNECTION),
                  (std::vector<std::string>{"Backup Line", "Home", "Office ISP"}));
        EXPECT_EQ(comboSelection(page, IDC_DIAL_CONNECTION), "Home");
        EXPECT_EQ(text(page, IDC_DIAL_DELAY), "45");
        EXPECT_TRUE(enabled(page, IDC_DIAL_CONNECTION));
        EXPECT_TRUE(enabled(page, IDC_DIAL_LBL_SECONDS));
        // Leaving dial-up and coming back keeps the list as it was.
        click(page, IDC_DIAL_LAN);
        EXPECT_FALSE(enabled(page, IDC_DIAL_CONNECTION));
        click(page, IDC_DIAL_DIALUP);
        EXPECT_EQ(comboItems(page, IDC_DIAL_CONNECTION).size(), 3u);
        SendDlgItemMessageA(page, IDC_DIAL_DELAY_SPIN, UDM_SETPOS32, 0, 200);
        EXPECT_EQ(text(page, IDC_DIAL_DELAY), "90") << "the spin stops at 90";
        pressOk(sheet);
    });
    std::string log = readFile(install.file("rashand.log"));
    EXPECT_NE(log.find("USER+8 added=3"), std::string::npos);
    EXPECT_EQ(log.find("USER+8"), log.rfind("USER+8")) << "listed once: a filled list is kept";
    EXPECT_EQ(install.ini("dialup", "ras"), "Home");
    EXPECT_EQ(install.ini("dialup", "delay"), "90");
    EXPECT_EQ(install.ini("dialup", "timeout"), "120");
    EXPECT_EQ(install.ini("dialup", "retries"), "3");
}

TEST_F(DialupPage, DialUpWithAnEmptyListIsRefusedAndOnlyTheTypeIsWritten) {
    Install install;
    withHandler(install, {});
    runSheet(kDialup, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        click(page, IDC_DIAL_DIALUP);
        EXPECT_TRUE(comboItems(page, IDC_DIAL_CONNECTION).empty());
        EXPECT_EQ(expectingBox("Warning", [&] { pressApply(sheet); }), "Please enter a dial up connection...");
        EXPECT_EQ(currentPage(sheet), page);
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_DIAL_CONNECTION));
        pressCancel(sheet);
    });
    EXPECT_EQ(install.keys("dialup"), std::vector<std::string>{"type"});
    EXPECT_EQ(install.ini("dialup", "type"), "0");
}

TEST_F(DialupPage, ApplyChecksEachEntryInTurnWithTheEntriesBeforeItWritten) {
    Install install("[dialup]\r\ntype=0\r\n");
    withHandler(install, {"Office ISP"});
    runSheet(kDialup, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        auto refusal = [&] { return expectingBox("Warning", [&] { pressApply(sheet); }); };
        setText(page, IDC_DIAL_RETRIES, "");
        EXPECT_EQ(refusal(), "Please enter the number of dialup attempts to be made...");
        EXPECT_EQ(install.ini("dialup", "ras"), "Office ISP");
        EXPECT_EQ(install.ini("dialup", "retries"), "<none>");
        setText(page, IDC_DIAL_RETRIES, "0");
        EXPECT_EQ(refusal(), "Please enter the number of dialup attempts to be made...");
        EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_DIAL_RETRIES));

        setText(page, IDC_DIAL_RETRIES, "2");
        setText(page, IDC_DIAL_WAIT, "0");
        EXPECT_EQ(refusal(),
                  "Please enter the number of seconds to wait for\r\nthe dial up connection to be established...");
        EXPECT_EQ(install.ini("dialup", "retries"), "2");
        EXPECT_EQ(install.ini("dialup", "timeout"), "<none>");

        setText(page, IDC_DIAL_WAIT, "45");
        setText(page, IDC_DIAL_DELAY, "");
        EXPECT_EQ(refusal(), "Please enter the delay between retry attempts...");
        EXPECT_EQ(install.ini("dialup", "timeout"), "45");
        EXPECT_EQ(install.ini("dialup", "delay"), "<none>");

        // The delay is typed as the other entries are (its spin steps it too)
        // and stored as typed.
        HWND delay = GetDlgItem(page, IDC_DIAL_DELAY);
        for (char c : std::string("30")) SendMessageA(delay, WM_CHAR, static_cast<WPARAM>(c), 0);
        EXPECT_EQ(text(page, IDC_DIAL_DELAY), "30");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("dialup", "delay"), "30");
}

TEST_F(DialupPage, InstallAndUninstallServiceReachServiceExeThroughServiceIni) {
    Install install;
    ASSERT_TRUE(CopyFileA((exeFolder() + "\\Service.exe").c_str(), install.file("Service.exe").c_str(), FALSE));
    setRunValue("C:\\server\\mail.exe");
    runSheet(kDialup, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(clickExpectingBox(page, IDC_DIAL_INSTALL_SERVICE, "Information"),
                  "Brindle Mail Server will start as a service the next time you reboot");
        EXPECT_EQ(readFile(install.file("Service.ini")),
                  "[main]\r\nname=Brindle Mail Server\r\ncommand=" + thisProgram() + " -s\r\ngui=y\r\n");
        EXPECT_EQ(runValue(), "<none>") << "the server no longer starts from the Run key";

        setRunValue("C:\\server\\mail.exe");
        EXPECT_EQ(clickExpectingBox(page, IDC_DIAL_UNINSTALL_SERVICE, "Information"),
                  "Brindle Mail Server has been removed from the service list");
        EXPECT_EQ(readFile(install.file("Service.ini")),
                  "[main]\r\nname=Brindle Mail Server\r\ncommand=" + thisProgram() + "\r\ngui=y\r\n");
        EXPECT_EQ(runValue(), "C:\\server\\mail.exe") << "removing the service leaves the Run key alone";
        pressCancel(sheet);
    });
    EXPECT_EQ(readFile(install.file("Service.log")),
              "/i name=Brindle Mail Server command=" + thisProgram() + " -s gui=y\r\n" +
                  "/u name=Brindle Mail Server command=" + thisProgram() + " gui=y\r\n");
    setRunValue(nullptr);
}

TEST_F(DialupPage, WithoutServiceExeTheServerKeepsStartingAsBefore) {
    Install install;
    setRunValue("C:\\server\\mail.exe");
    runSheet(kDialup, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(clickExpectingError(page, IDC_DIAL_INSTALL_SERVICE),
                  "Service.exe could not be started from the mail server's folder");
        pressCancel(sheet);
    });
    EXPECT_EQ(runValue(), "C:\\server\\mail.exe");
    setRunValue(nullptr);
}

}  // namespace
