// The Ports page through the real sheet: the address lists with the
// machine's own addresses, the idle sliders and their labels, "Restore
// Defaults" and Apply.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "admin/ports_ids.h"
#include "support/ui_driver.h"

using namespace drive;

namespace {

constexpr const char* kPorts = "Ports";

int sliderPosition(HWND page, int id) { return static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETPOS, 0, 0)); }

// Presses and releases an arrow key on a slider, as the user would.
void nudge(HWND page, int id, WPARAM key) {
    HWND slider = GetDlgItem(page, id);
    SendMessageA(slider, WM_KEYDOWN, key, 0);
    SendMessageA(slider, WM_KEYUP, key, 0);
}

TEST(PortsPage, ListsAnyAddressTheMachinesAddressesAndLoopbackWithTheDefaults) {
    Install install;
    runSheet(kPorts, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_PORT_SMTP_PORT), "25");
        EXPECT_EQ(text(page, IDC_PORT_POP_PORT), "110");
        std::vector<std::string> smtp = comboItems(page, IDC_PORT_SMTP_ADDRESS);
        ASSERT_GE(smtp.size(), 3u) << "the machine has at least one address";
        EXPECT_EQ(smtp.front(), "Any address");
        EXPECT_EQ(smtp.back(), "127.0.0.1");
        EXPECT_EQ(comboItems(page, IDC_PORT_POP_ADDRESS), smtp);
        EXPECT_EQ(comboSelection(page, IDC_PORT_SMTP_ADDRESS), "Any address");
        EXPECT_EQ(comboSelection(page, IDC_PORT_POP_ADDRESS), "Any address");
        for (int id : {IDC_PORT_SMTP_IDLE, IDC_PORT_POP_IDLE}) {
            EXPECT_EQ(sliderPosition(page, id), 360);
            EXPECT_EQ(SendDlgItemMessageA(page, id, TBM_GETRANGEMIN, 0, 0), 5);
            EXPECT_EQ(SendDlgItemMessageA(page, id, TBM_GETRANGEMAX, 0, 0), 999);
            std::vector<int> ticks;
            for (int i = 0; i < 9; ++i)
                ticks.push_back(static_cast<int>(SendDlgItemMessageA(page, id, TBM_GETTIC, i, 0)));
            EXPECT_EQ(ticks, (std::vector<int>{100, 200, 300, 400, 500, 600, 700, 800, 900}));
        }
        EXPECT_EQ(text(page, IDC_PORT_SMTP_IDLE_TEXT), "360 seconds");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("smtp-server", "port"), "25");
    EXPECT_EQ(install.ini("pop-server", "port"), "110");
    EXPECT_EQ(install.ini("smtp-server", "address"), "Any address");
    EXPECT_EQ(install.ini("pop-server", "idle"), "360");
}

TEST(PortsPage, AStoredAddressNoLongerOnTheMachineSelectsAnyAddress) {
    Install install("[smtp-server]\r\naddress=10.254.254.254\r\n[pop-server]\r\naddress=127.0.0.1\r\n");
    runSheet(kPorts, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(comboSelection(page, IDC_PORT_SMTP_ADDRESS), "Any address");
        EXPECT_EQ(comboSelection(page, IDC_PORT_POP_ADDRESS), "127.0.0.1");
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("smtp-server", "address"), "Any address");
    EXPECT_EQ(install.ini("pop-server", "address"), "127.0.0.1");
}

TEST(PortsPage, SlidersShowTheirSecondsAndRestoreDefaultsResetsOneServer) {
    Install install(
        "[smtp-server]\r\nport=2525\r\naddress=127.0.0.1\r\nidle=120\r\n"
        "[pop-server]\r\nport=1110\r\naddress=127.0.0.1\r\nidle=2000\r\n");
    runSheet(kPorts, [&](HWND sheet) {
        HWND page = currentPage(sheet);
        EXPECT_EQ(text(page, IDC_PORT_SMTP_IDLE_TEXT), "120 seconds");
        EXPECT_EQ(text(page, IDC_PORT_POP_IDLE_TEXT), "999 seconds") << "kept within the slider's range";
        nudge(page, IDC_PORT_SMTP_IDLE, VK_RIGHT);
        EXPECT_EQ(text(page, IDC_PORT_SMTP_IDLE_TEXT), "121 seconds");
        EXPECT_TRUE(applyEnabled(sheet)) << "the released slider reports a change";
        click(page, IDC_PORT_POP_DEFAULTS);
        EXPECT_EQ(comboSelection(page, IDC_PORT_POP_ADDRESS), "Any address");
        EXPECT_EQ(text(page, IDC_PORT_POP_PORT), "110");
        EXPECT_EQ(text(page, IDC_PORT_POP_IDLE_TEXT), "360 seconds");
        EXPECT_EQ(comboSelection(page, IDC_PORT_SMTP_ADDRESS), "127.0.0.1") << "the other server keeps its own";
        pressOk(sheet);
    });
    EXPECT_EQ(install.ini("smtp-server", "port"), "2525");
    EXPECT_EQ(install.ini("smtp-server", "address"), "127.0.0.1");
    EXPECT_EQ(install.ini("smtp-server", "idle"), "121");
    EXPECT_EQ(install.ini("pop-server", "port"), "110");
    EXPECT_EQ(install.ini("pop-server", "address"), "Any address");
    EXPECT_EQ(install.ini("pop-server", "idle"), "360");
}

}  // namespace
