// ConnectOnStartUp: the "Abort Connection" countdown dialog, driven from
// timers that fire inside its modal loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "connect_fixture.h"
#include "utilities.h"

using namespace connect_test;
using namespace testing_support;

namespace {

constexpr int kAnimationId = 1001;
// The colour of the digits in count.avi.
constexpr COLORREF kDigitColour = RGB(0, 0, 160);

// Which pixels of the control show the digit colour, read back from the
// screen through a DIB section.
std::vector<bool> digitPixels(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    int width = r.right, height = r.bottom;
    std::vector<bool> mask;
    if (width <= 0 || height <= 0) return mask;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HDC screen = GetDC(control);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    GdiFlush();
    auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i) {
        DWORD p = pixels[i] & 0xFFFFFF;  // 0x00RRGGBB
        mask.push_back(RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF) == kDigitColour);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(control, screen);
    return mask;
}

int count(const std::vector<bool>& mask) {
    int n = 0;
    for (bool b : mask) n += b;
    return n;
}

HWND countdownDialog() { return findThreadWindow("#32770", "Abort Connection"); }

class Countdown : public ConnectTest {};

}  // namespace

TEST_F(Countdown, NotShownWhenNotWanted) {
    writeConfig({"[dialup]", "type=2", "[startup]", "connect=1"});
    DWORD start = GetTickCount();
    EXPECT_EQ(ConnectOnStartUp(nullptr), 0);
    writeConfig({"[dialup]", "type=0", "[startup]", "connect=0"});
    EXPECT_EQ(ConnectOnStartUp(nullptr), 0);
    writeConfig({"[dialup]", "type=0"});
    EXPECT_EQ(ConnectOnStartUp(nullptr), 0);
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_EQ(countdownDialog(), nullptr);
}

TEST_F(Countdown, AbortPlaysTheAnimationUntilClicked) {
    writeConfig({"[dialup]", "type=0", "[startup]", "connect=1"});
    bool seen = false, centred = false, hasIcon = false, focused = false;
    int firstDigits = 0;
    std::vector<bool> first, second;
    runLater(1500, [&] {
        HWND dialog = countdownDialog();
        if (!dialog) return;
        seen = true;
        RECT r{};
        GetWindowRect(dialog, &r);
        int cx = GetSystemMetrics(SM_CXSCREEN) / 2, cy = GetSystemMetrics(SM_CYSCREEN) / 2;
        centred = std::abs((r.left + r.right) / 2 - cx) <= 2 && std::abs((r.top + r.bottom) / 2 - cy) <= 2;
        hasIcon = SendMessageA(dialog, WM_GETICON, ICON_BIG, 0) != 0;
        // Another test's program (the mail notifier, say) may hold the
        // display's activation; with the dialog active, "Abort" has the focus.
        if (GetForegroundWindow() != dialog) SetForegroundWindow(dialog);
        focused = GetFocus() == GetDlgItem(dialog, IDCANCEL);
        first = digitPixels(GetDlgItem(dialog, kAnimationId));
        firstDigits = count(first);
        runLater(1100, [&] {
            HWND again = countdownDialog();
            if (!again) return;
            second = digitPixels(GetDlgItem(again, kAnimationId));
            SendMessageA(GetDlgItem(again, IDCANCEL), BM_CLICK, 0, 0);
        });
    });
    DWORD start = GetTickCount();
    EXPECT_EQ(ConnectOnStartUp(nullptr), 0);
    EXPECT_LT(GetTickCount() - start, 5000u);
    ASSERT_TRUE(seen);
    EXPECT_TRUE(centred);
    EXPECT_TRUE(hasIcon);
    EXPECT_TRUE(focused);
    EXPECT_GT(firstDigits, 100) << "count.avi is drawn";
    EXPECT_GT(count(second), 100);
    EXPECT_NE(first, second) << "the animation moves on";
    EXPECT_EQ(countdownDialog(), nullptr);
}

TEST_F(Countdown, LeftAloneItConnectsAfterTenSeconds) {
    writeConfig({"[dialup]", "type=1", "[startup]", "connect=1"});
    bool shown = false;
    runLater(2000, [&] { shown = countdownDialog() != nullptr; });
    DWORD start = GetTickCount();
    EXPECT_EQ(ConnectOnStartUp(nullptr), 1);
    DWORD elapsed = GetTickCount() - start;
    EXPECT_TRUE(shown);
    EXPECT_GE(elapsed, 9500u);
    EXPECT_LE(elapsed, 15000u);
    EXPECT_EQ(countdownDialog(), nullptr);
}

TEST_F(Countdown, WithoutTheAnimationFileTheControlStaysEmpty) {
    writeConfig({"[dialup]", "type=0", "[startup]", "connect=1"});
    ASSERT_TRUE(MoveFileA(file("count.avi").c_str(), file("count.bak").c_str()));
    int digits = -1;
    bool seen = false;
    runLater(1500, [&] {
        HWND dialog = countdownDialog();
        if (!dialog) return;
        seen = true;
        digits = count(digitPixels(GetDlgItem(dialog, kAnimationId)));
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(ConnectOnStartUp(nullptr), 0);
    MoveFileA(file("count.bak").c_str(), file("count.avi").c_str());
    EXPECT_TRUE(seen);
    EXPECT_EQ(digits, 0);
}
