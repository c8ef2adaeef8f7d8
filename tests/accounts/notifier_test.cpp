// The notifier program "your mailbox.exe" receives the notification of a
// real SendAlert and shows that mail has arrived.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

struct ProcessWindows {
    DWORD process;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM data) {
    auto* p = reinterpret_cast<ProcessWindows*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    char className[64] = {};
    GetClassNameA(window, className, sizeof className);
    if (owner == p->process && std::string(className) == "YourMailboxNotifier") p->found.push_back(window);
    return TRUE;
}

// The notifier's main window: looked for among the windows of its own
// process only, so parallel tests never meet each other's windows.
HWND notifierWindow(DWORD process) {
    ProcessWindows p{process, {}};
    EnumWindows(collect, reinterpret_cast<LPARAM>(&p));
    return p.found.empty() ? nullptr : p.found.front();
}

std::string text(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof buffer);
    return buffer;
}

}  // namespace

TEST(Notifier, ShowsNewMailWhenTheNotificationArrives) {
    std::string program = exeFolder() + "\\your mailbox.exe";
    std::string command = "\"" + program + "\" 0 127.0.0.1";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                               &process));
    HWND window = nullptr;
    // Found once its window is made to the end: "Seen" (102) is its last-made part.
    EXPECT_TRUE(waitUntil(
        [&] {
            window = notifierWindow(process.dwProcessId);
            return window && GetDlgItem(window, 102) != nullptr;
        },
        20000));
    if (window) {
        EXPECT_EQ(text(window), "Your mailbox");
        // The port the system chose is shown in the window.
        std::string listening = text(GetDlgItem(window, 101));
        ASSERT_EQ(listening.rfind("Listening on UDP port ", 0), 0u) << listening;
        std::string port = listening.substr(22);
        EXPECT_GT(std::atoi(port.c_str()), 0);
        EXPECT_EQ(text(GetDlgItem(window, 100)), "No new mail");

        SendAlert("127.0.0.1", port.c_str(), "U");
        EXPECT_TRUE(waitUntil([&] { return text(window) == "Your mailbox - new mail"; }, 10000));
        EXPECT_EQ(text(GetDlgItem(window, 100)).rfind("New mail has arrived in your mailbox (", 0), 0u);

        // "Seen" puts it back.
        SendMessageA(window, WM_COMMAND, 102, 0);
        EXPECT_EQ(text(window), "Your mailbox");
        PostMessageA(window, WM_CLOSE, 0, 0);
    }
    if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
        ADD_FAILURE() << "the notifier did not close";
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
}
