// The prompt dialog and the tray icon, linked from the library's Win32
// shell with its resources, so their internal state can be checked.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "frame/frame_state.h"
#include "monitor/tray.h"
#include "resources/admin_ids.h"
#include "support/win32_support.h"
#include "ui/prompt.h"
#include "ui/prompt_ids.h"
#include "utilities.h"

using namespace testing_support;

namespace {

class AdminShell : public ::testing::Test {
protected:
    void SetUp() override {
        util::frameState().module = GetModuleHandleA(nullptr);  // the resources are linked in
        writeFile(dir_.file("ms.ini"), "");
        CreateDirectoryA(dir_.file("event log").c_str(), nullptr);  // the server makes it at installation
        SetPath(dir_.path().c_str());
    }
    std::string eventLog() const { return readFile(dir_.file("event log\\events.txt")); }
    ScratchDir dir_{"shell"};
};

int countOf(const std::string& text, const std::string& part) {
    int n = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

// Runs the prompt with the user's part played by steps.
std::optional<std::string> prompt(const std::string& question, const std::string& initial, int maxLength,
                                  bool password, std::function<void(HWND)> steps) {
    runLater(50, [steps] {
        HWND dialog = nullptr;
        waitUntil([&] { return (dialog = findThreadWindow("#32770", "Enter Information")) && IsWindowVisible(dialog); },
                  5000);
        steps(dialog);
    });
    return ui::prompt(nullptr, {question, initial, maxLength, password});
}

TEST_F(AdminShell, PromptReturnsTheTypedTextOnOkAndNothingOnCancel) {
    std::optional<std::string> answer = prompt("Enter name for address list", "List name...", 20, false, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        char text[300] = {};
        GetDlgItemTextA(dialog, IDC_PROMPT_TEXT, text, sizeof text);
        EXPECT_STREQ(text, "Enter name for address list");
        HWND edit = GetDlgItem(dialog, IDC_PROMPT_EDIT);
        EXPECT_EQ(GetFocus(), edit);
        DWORD start = 0, end = 0;
        SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, 12u) << "the initial text is selected";
        EXPECT_EQ(SendMessageA(edit, EM_GETLIMITTEXT, 0, 0), 20);
        EXPECT_EQ(SendMessageA(edit, EM_GETPASSWORDCHAR, 0, 0), 0);
        SetWindowTextA(edit, "friends");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(answer, "friends");

    answer = prompt("Password", "old", 512, true, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(SendDlgItemMessageA(dialog, IDC_PROMPT_EDIT, EM_GETPASSWORDCHAR, 0, 0), '*');
        SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(answer) << "Cancel gives nothing";
}

TEST_F(AdminShell, PromptTakesLongInputsWithinItsBuffers) {
    std::string longQuestion(400, 'q');
    std::string longInitial(2000, 'i');
    std::optional<std::string> answer = prompt(longQuestion, longInitial, 5000, false, [](HWND dialog) {
        ASSERT_NE(dialog, nullptr);
        char shown[300] = {};
        GetDlgItemTextA(dialog, IDC_PROMPT_TEXT, shown, sizeof shown);
        EXPECT_EQ(std::string(shown).size(), 255u) << "the question is cut to 255 characters";
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    EXPECT_EQ(answer, std::string(1023, 'i')) << "the initial text is cut to its 1023 characters";
}

HWND testWindow() {
    return CreateWindowExA(0, "Static", "main", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr, nullptr,
                           nullptr);
}

TEST_F(AdminShell, TrayAddsItsIconAfterTwoSecondsAndAnimatesThroughTheFrames) {
    HWND main = testWindow();
    EXPECT_NE(CreateTray(main), 0);
    pumpFor(1500);
    EXPECT_EQ(monitor::trayState().icon, nullptr) << "the first attempt comes after 2 s";
    ASSERT_TRUE(waitUntil([] { return monitor::trayState().animTimer != 0; }, 3000));
    EXPECT_EQ(monitor::trayState().addTimer, 0u);
    std::string log = eventLog();
    EXPECT_EQ(countOf(log, "Creating tray icon"), 1);
    EXPECT_EQ(countOf(log, "NIM_ADD returns 0x1"), 1);

    // The icons shown, in order, over a little more than one cycle.
    std::vector<int> shown;
    std::vector<HICON> frames;
    for (int id = IDI_TRAY_FIRST; id <= IDI_TRAY_LAST; ++id)
        frames.push_back(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_ICON,
                                                       GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON),
                                                       LR_SHARED)));
    HICON last = nullptr;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 3400) {
        HICON now = monitor::trayState().icon;
        if (now != last) {
            for (int i = 0; i < 8; ++i)
                if (frames[static_cast<std::size_t>(i)] == now) shown.push_back(IDI_TRAY_FIRST + i);
            last = now;
        }
        pumpFor(20);
    }
    const std::vector<int> cycle = {162, 163, 164, 165, 166, 167, 168, 169, 168, 167, 166, 165, 164, 163};
    ASSERT_GE(shown.size(), 15u);
    auto at = std::find(cycle.begin(), cycle.end(), shown[0]) - cycle.begin();
    // 168 and the others appear twice in a cycle: find the phase that fits.
    bool fits = false;
    for (std::size_t phase = 0; phase < cycle.size() && !fits; ++phase) {
        fits = true;
        for (std::size_t i = 0; i < shown.size(); ++i)
            if (shown[i] != cycle[(phase + i) % cycle.size()]) fits = false;
    }
    EXPECT_TRUE(fits) << "first icon " << shown[0] << " at " << at;

    DeleteTray(main);
    EXPECT_EQ(monitor::trayState().animTimer, 0u);
    int frame = monitor::trayState().frame;
    pumpFor(600);
    EXPECT_EQ(monitor::trayState().frame, frame) << "no frames after DeleteTray";
    DestroyWindow(main);
}

TEST_F(AdminShell, DeleteTrayBeforeAnyAttemptDoesNothing) {
    HWND main = testWindow();
    EXPECT_EQ(DeleteTray(main), 0);
    EXPECT_EQ(eventLog(), "");
    DestroyWindow(main);
}

TEST_F(AdminShell, TrayCallbackRestoresTheWindowOnlyForButtonPresses) {
    HWND main = testWindow();
    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(main));
    EXPECT_EQ(TrayCallback(main, 1024, WM_MBUTTONDOWN), WM_MBUTTONDOWN);
    EXPECT_EQ(TrayCallback(main, 1024, WM_MOUSEMOVE), WM_MOUSEMOVE);
    EXPECT_EQ(TrayCallback(main, 1024, WM_LBUTTONUP), WM_LBUTTONUP);
    EXPECT_TRUE(IsIconic(main)) << "left unchanged";
    TrayCallback(main, 1024, WM_RBUTTONDOWN);
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
    DestroyWindow(main);
}

}  // namespace
