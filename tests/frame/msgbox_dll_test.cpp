// DoMsgBox driven through its real dialog: the test finds the
// "Information" dialog from a timer inside the modal loop and clicks.
#include <gtest/gtest.h>

#include <string>

#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

struct Seen {
    bool found = false;
    bool okVisible = false, yesVisible = false, noVisible = false;
    std::string text;
    int centreDx = 9999, centreDy = 9999;
};

// Clicks the given button of the dialog once it is up.
void clickWhenShown(int button, Seen& seen, int attempts = 100) {
    runLater(50, [button, &seen, attempts] {
        HWND dialog = findThreadWindow("#32770", "Information");
        if (!dialog || !IsWindowVisible(dialog)) {
            if (attempts > 0) clickWhenShown(button, seen, attempts - 1);
            return;
        }
        seen.found = true;
        seen.okVisible = IsWindowVisible(GetDlgItem(dialog, IDOK));
        seen.yesVisible = IsWindowVisible(GetDlgItem(dialog, IDYES));
        seen.noVisible = IsWindowVisible(GetDlgItem(dialog, IDNO));
        char text[600] = {};
        GetDlgItemTextA(dialog, 1000, text, sizeof text);
        seen.text = text;
        RECT r;
        GetWindowRect(dialog, &r);
        seen.centreDx = (r.left + r.right) / 2 - GetSystemMetrics(SM_CXSCREEN) / 2;
        seen.centreDy = (r.top + r.bottom) / 2 - GetSystemMetrics(SM_CYSCREEN) / 2;
        SendMessageA(GetDlgItem(dialog, button), BM_CLICK, 0, 0);
    });
}

}  // namespace

TEST(DoMsgBox, OkModeShowsOkAloneCentredAndReturnsOne) {
    Seen seen;
    clickWhenShown(IDOK, seen);
    EXPECT_EQ(DoMsgBox(nullptr, "The settings were saved.", 0), 1);
    ASSERT_TRUE(seen.found);
    EXPECT_TRUE(seen.okVisible);
    EXPECT_FALSE(seen.yesVisible);
    EXPECT_FALSE(seen.noVisible);
    EXPECT_EQ(seen.text, "The settings were saved.");
    EXPECT_LE(std::abs(seen.centreDx), 1);
    EXPECT_LE(std::abs(seen.centreDy), 1);
}

TEST(DoMsgBox, YesNoModeReturnsSixOrSeven) {
    Seen yes;
    clickWhenShown(IDYES, yes);
    EXPECT_EQ(DoMsgBox(nullptr, "Delete the message?", 1), 6);
    ASSERT_TRUE(yes.found);
    EXPECT_FALSE(yes.okVisible);
    EXPECT_TRUE(yes.yesVisible);
    EXPECT_TRUE(yes.noVisible);

    Seen no;
    clickWhenShown(IDNO, no);
    EXPECT_EQ(DoMsgBox(nullptr, "Delete the message?", 1), 7);
    EXPECT_TRUE(no.found);
}

TEST(DoMsgBox, TextIsCutAt511CharactersAndNullIsEmpty) {
    Seen seen;
    clickWhenShown(IDOK, seen);
    std::string text(700, 'm');
    EXPECT_EQ(DoMsgBox(nullptr, text.c_str(), 2), 1);
    EXPECT_EQ(seen.text.size(), 511u);

    Seen empty;
    clickWhenShown(IDOK, empty);
    EXPECT_EQ(DoMsgBox(nullptr, nullptr, 0), 1);
    EXPECT_EQ(empty.text, "");
}

TEST(DoMsgBox, LinksShowTheHandCursor) {
    Seen seen;
    HCURSOR over = nullptr;
    runLater(100, [&] {
        HWND dialog = findThreadWindow("#32770", "Information");
        if (!dialog) return;
        HWND link = GetDlgItem(dialog, 1002);
        char text[64] = {};
        GetWindowTextA(link, text, sizeof text);
        seen.text = text;
        LRESULT hit = SendMessageA(link, WM_NCHITTEST, 0, 0);
        seen.found = hit == HTCLIENT;
        SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        over = GetCursor();
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(DoMsgBox(nullptr, "links", 0), 1);
    EXPECT_EQ(seen.text, "Send feedback");
    EXPECT_TRUE(seen.found) << "the link answers the hit test as client area";
    HCURSOR hand = LoadCursorA(GetModuleHandleA("utilities.dll"), MAKEINTRESOURCEA(105));
    ASSERT_NE(hand, nullptr);
    EXPECT_EQ(over, hand);
}
