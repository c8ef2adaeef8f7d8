// The sheet itself, the administration password check, and the tooltip
// engine, through the real DLL.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>

#include <gtest/gtest.h>

#include <memory>

#include "admin/advanced_pop_ids.h"
#include "admin/enter_password_ids.h"
#include "admin/incoming_ids.h"
#include "admin/outgoing_ids.h"
#include "admin/pages.h"
#include "support/ui_driver.h"
#include "utilities.h"

using namespace drive;
using namespace testing_support;

namespace {

std::string tipAnswer(HWND page, int control) {
    char buffer[1024] = "leftover";
    LRESULT found = SendMessageA(page, 0x0C01, static_cast<WPARAM>(control), reinterpret_cast<LPARAM>(buffer));
    return found ? std::string(buffer) : "<none: " + std::string(buffer) + ">";
}

TEST(SettingsSheet, OpensOnTheGivenPageWithThePagesOfTheList) {
    Install install;
    int result = runSheet("Routing", [&](HWND sheet) {
        HWND tabs = PropSheet_GetTabControl(sheet);
        EXPECT_EQ(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(admin::kPageCount));
        EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), pageIndex("Routing"));
        std::vector<std::string> listed;
        for (const admin::PageEntry& page : admin::kPageList) listed.push_back(page.title);
        EXPECT_EQ(pageTitles(sheet), listed);
        for (int id : {IDOK, IDCANCEL, 0x3021 /* Apply */, 0x0009 /* Help */})
            EXPECT_TRUE(visible(sheet, id)) << id;
        RECT r;
        GetWindowRect(sheet, &r);
        EXPECT_LE(std::abs((r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2), 2) << "centred";
        // Every page opens, and each answers the tip request for its own controls only.
        HWND incoming = showPage(sheet, "Incoming");
        EXPECT_EQ(tipAnswer(incoming, IDC_IN_SERVER), "Name of POP server");
        EXPECT_EQ(tipAnswer(incoming, 4242), "<none: >");
        HWND outgoing = showPage(sheet, "Outgoing");
        EXPECT_EQ(tipAnswer(outgoing, IDC_OUT_ADD), "An a new SMTP server");
        for (const admin::PageEntry& page : admin::kPageList) EXPECT_NE(showPage(sheet, page.title), nullptr) << page.title;
        EXPECT_EQ(tipAnswer(showPage(sheet, "Options"), 1018), "Disable me");
        pressCancel(sheet);
    });
    EXPECT_EQ(result, 1) << "the tip class is unregistered when the sheet goes";
}

TEST(SettingsSheet, ApplyWritesOnlyPagesThatWereOpened) {
    Install install("[outgoing]\r\nserver0=keep.example:25:::0:::\r\n");
    runSheet("Incoming", [&](HWND sheet) { pressOk(sheet); });
    EXPECT_EQ(install.ini("outgoing", "use-next"), "<none>");
    EXPECT_EQ(install.ini("undelmail", "action"), "2");
}

// GetPassword with a stubbed user: answer is typed and OK pressed, or the
// dialog is cancelled. Reports whether the dialog and an error box showed.
struct PasswordRun {
    int result = -1;
    bool asked = false;
    std::string error;
};

PasswordRun getPassword(const char* answer) {
    auto run = std::make_shared<PasswordRun>();
    whenShown("#32770", "Enter Password", [run, answer](HWND dialog) {
        if (!dialog) return;
        run->asked = true;
        EXPECT_EQ(GetFocus(), GetDlgItem(dialog, IDC_PW_EDIT));
        EXPECT_TRUE(GetWindowLongA(GetDlgItem(dialog, IDC_PW_EDIT), GWL_STYLE) & ES_PASSWORD);
        if (!answer) {
            click(dialog, IDCANCEL);
            return;
        }
        setText(dialog, IDC_PW_EDIT, answer);
        whenShown("#32770", "Error", [run](HWND box) {
            if (!box) return;
            run->error = messageBoxText(box);
            SendMessageA(box, WM_COMMAND, IDOK, 0);
        }, 1000);
        click(dialog, IDOK);
    }, 1500);
    run->result = GetPassword(nullptr);
    pumpFor(1700);  // until both looks have ended, so the next run starts afresh
    return *run;
}

// ms.ini's path is fixed for the process at its first use: one install a test.
TEST(GetPassword, OpensWithoutAskingWhenNoPasswordIsStored) {
    Install install("[esmtp]\r\nver=\r\n");
    PasswordRun run = getPassword("anything");
    EXPECT_EQ(run.result, 1);
    EXPECT_FALSE(run.asked);
}

TEST(GetPassword, ComparesTheScrambledEntryWithTheStoredValue) {
    Install install("[esmtp]\r\nver=" + scramble("Open Sesame!") + "\r\n");
    PasswordRun right = getPassword("Open Sesame!");
    EXPECT_TRUE(right.asked);
    EXPECT_EQ(right.result, 1);
    EXPECT_EQ(right.error, "");

    PasswordRun wrong = getPassword("open sesame!");
    EXPECT_EQ(wrong.result, 0);
    EXPECT_EQ(wrong.error, "Invalid password entered...");

    PasswordRun empty = getPassword("");
    EXPECT_EQ(empty.result, 0);
    EXPECT_EQ(empty.error, "") << "an empty entry is refused without a message";

    PasswordRun cancelled = getPassword(nullptr);
    EXPECT_TRUE(cancelled.asked);
    EXPECT_EQ(cancelled.result, 0);
    EXPECT_EQ(install.ini("esmtp", "ver"), scramble("Open Sesame!"));
}

// --- Tooltips -----------------------------------------------------------------

POINT centreOf(HWND control) {
    RECT r;
    GetWindowRect(control, &r);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

std::string tipText(HWND tip) {
    char value[1100] = {};
    GetWindowTextA(tip, value, sizeof value);
    return value;
}

HWND waitForTip(DWORD ms) { return waitForWindow("ms-tip", "", ms); }

TEST(Tooltips, AppearAfterTheHoverTimeAndFollowTheSetting) {
    Install install;
    runSheet("Incoming", [&](HWND sheet) {
        HWND page = currentPage(sheet);
        HWND add = GetDlgItem(page, IDC_IN_ADD);
        POINT at = centreOf(add);
        SetCursorPos(at.x, at.y);
        pumpFor(600);
        EXPECT_EQ(findThreadWindow("ms-tip", ""), nullptr) << "not before the cursor has stood still";
        HWND tip = waitForTip(3000);
        ASSERT_NE(tip, nullptr);
        EXPECT_EQ(tipText(tip), " Add a new POP server ");
        EXPECT_EQ(GetWindow(tip, GW_OWNER), sheet) << "owned by the control's parent (top-level: the sheet)";
        RECT r;
        GetWindowRect(tip, &r);
        EXPECT_GE(r.left, at.x);
        EXPECT_GE(r.top, at.y);
        EXPECT_TRUE(GetWindowLongA(tip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);

        // Moving to a static text without a tip removes the tip; none comes.
        SetCursorPos(5, 5);
        EXPECT_TRUE(waitUntil([] { return findThreadWindow("ms-tip", "") == nullptr; }, 1000));

        install.set("tooltips", "use", "0");
        at = centreOf(GetDlgItem(page, IDC_IN_DELETE));
        SetCursorPos(at.x, at.y);
        pumpFor(2500);
        EXPECT_EQ(findThreadWindow("ms-tip", ""), nullptr) << "tooltips/use 0";
        install.set("tooltips", "use", "1");
        tip = waitForTip(3000);
        ASSERT_NE(tip, nullptr) << "back on without reopening";
        EXPECT_EQ(tipText(tip), " Remove a POP server ");
        SetCursorPos(0, 0);
        pressCancel(sheet);
    });
}

TEST(Tooltips, AClickRemovesTheTipReachesTheControlAndNoTipReturnsUntilTheCursorMoves) {
    Install install;
    runSheet("Incoming", [&](HWND sheet) {
        HWND page = currentPage(sheet);
        HWND add = GetDlgItem(page, IDC_IN_ADD);
        POINT at = centreOf(add);
        SetCursorPos(at.x, at.y);
        ASSERT_NE(waitForTip(4000), nullptr);
        POINT client = at;
        ScreenToClient(add, &client);
        SendMessageA(add, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.x, client.y));
        SendMessageA(add, WM_LBUTTONUP, 0, MAKELPARAM(client.x, client.y));
        EXPECT_EQ(findThreadWindow("ms-tip", ""), nullptr);
        EXPECT_TRUE(enabled(page, IDC_IN_SAVE)) << "the click reached Add";
        // Add disabled itself; the cursor now stands over the disabled button.
        pumpFor(2500);
        EXPECT_EQ(findThreadWindow("ms-tip", ""), nullptr);
        click(page, IDC_IN_CANCEL);
        SetCursorPos(0, 0);
        pressCancel(sheet);
    });
}

TEST(Tooltips, NoneOverAStaticTextOrAControlThePageHasNoTipFor) {
    Install install;
    runSheet("Incoming", [&](HWND sheet) {
        HWND page = showPage(sheet, "Domain");
        HWND heading = nullptr;  // an explanatory text without an identifier
        for (HWND child = GetWindow(page, GW_CHILD); child && !heading; child = GetWindow(child, GW_HWNDNEXT)) {
            char cls[16] = {}, text[64] = {};
            GetClassNameA(child, cls, sizeof cls);
            GetWindowTextA(child, text, sizeof text);
            if (lstrcmpiA(cls, "Static") == 0 && (GetDlgCtrlID(child) == -1 || GetDlgCtrlID(child) == 0xFFFF) && text[0]) heading = child;
        }
        ASSERT_NE(heading, nullptr);
        POINT at = centreOf(heading);
        SetCursorPos(at.x, at.y);
        pumpFor(2500);
        EXPECT_EQ(findThreadWindow("ms-tip", ""), nullptr);
        SetCursorPos(0, 0);
        page = showPage(sheet, "Incoming");
        click(page, IDC_IN_ADD);  // the editor's labels are enabled now, and have no tip
        at = centreOf(GetDlgItem(page, IDC_IN_LBL_USER));
        SetCursorPos(at.x, at.y);
        pumpFor(2500);
        EXPECT_EQ(findThreadWindow("ms-tip", ""), nullptr);
        at = centreOf(GetDlgItem(page, IDC_IN_USER));
        SetCursorPos(at.x, at.y);
        HWND tip = waitForTip(3000);
        ASSERT_NE(tip, nullptr) << "the edit beside it has one";
        EXPECT_EQ(tipText(tip), " POP login user name ");
        SetCursorPos(0, 0);
        pressCancel(sheet);
    });
}

TEST(Tooltips, ADialogOverTheSheetGetsItsOwnTips) {
    Install install;
    runSheet("Incoming", [&](HWND sheet) {
        HWND page = currentPage(sheet);
        clickOpening(page, IDC_IN_ADVANCED, "Advanced Options", [](HWND dialog) {
            POINT at = centreOf(GetDlgItem(dialog, IDC_ADV_USE));
            SetCursorPos(at.x - 20, at.y);
            HWND tip = waitForTip(4000);
            EXPECT_NE(tip, nullptr);
            if (tip) {
                EXPECT_EQ(tipText(tip), " Enable message size limiting ");
            }
            SetCursorPos(0, 0);
            click(dialog, IDCANCEL);
        });
        pressCancel(sheet);
    });
}

TEST(Tooltips, ATipNearTheScreenEdgeStaysOnTheScreen) {
    Install install;
    HWND window = CreateWindowExA(0, "#32770", "edge", WS_POPUP | WS_VISIBLE, 0, 0, 120, 40, nullptr, nullptr,
                                  nullptr, nullptr);
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    SetWindowPos(window, HWND_TOPMOST, w - 120, h - 40, 120, 40, 0);
    HWND button = CreateWindowExA(0, "Button", "x", WS_CHILD | WS_VISIBLE, 0, 0, 120, 40, window,
                                  reinterpret_cast<HMENU>(1234), nullptr, nullptr);
    // The window answers the tip request through a subclass of its own.
    static WNDPROC previous = nullptr;
    previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
        window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) -> LRESULT {
            if (msg == 0x0C01 && wp == 1234) {
                lstrcpyA(reinterpret_cast<char*>(lp), "A rather long tip text near the bottom right corner");
                return 1;
            }
            return CallWindowProcA(previous, hwnd, msg, wp, lp);
        })));
    EXPECT_NE(RegisterForTips(window, 1, 0), 0);
    SetCursorPos(w - 3, h - 3);
    HWND tip = waitForTip(4000);
    ASSERT_NE(tip, nullptr);
    RECT r;
    GetWindowRect(tip, &r);
    EXPECT_LE(r.right, w);
    EXPECT_LE(r.bottom, h);
    EXPECT_GE(r.left, 0);
    SetCursorPos(0, 0);
    EXPECT_NE(UnregisterForTips(window), 0) << "the last registration unregisters the class";
    EXPECT_EQ(findThreadWindow("ms-tip", ""), nullptr);
    DestroyWindow(button);
    DestroyWindow(window);
}

TEST(Tooltips, RegistrationCountsAndTheClassLifetime) {
    Install install;
    HWND a = CreateWindowExA(0, "Static", "a", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    HWND b = CreateWindowExA(0, "Static", "b", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_NE(RegisterForTips(a, 2, 0), 0) << "first: the class registration";
    EXPECT_EQ(RegisterForTips(b, 1, 0), 2);
    EXPECT_EQ(RegisterForTips(a, 1, 0), 3);
    EXPECT_EQ(UnregisterForTips(a), 2);
    EXPECT_EQ(UnregisterForTips(a), 1);
    EXPECT_EQ(UnregisterForTips(a), 1) << "nothing left of a: the count stays";
    EXPECT_NE(UnregisterForTips(b), 0) << "the last one unregisters the class";
    EXPECT_EQ(RegisterForTips(b, 1, 0) != 0, true) << "and it can be registered again";
    UnregisterForTips(b);
    DestroyWindow(a);
    DestroyWindow(b);
}

}  // namespace
