// Internal services of the frame, linked statically: the configuration
// path rules, the path-exists test and the status output.
#include <gtest/gtest.h>

#include <string>

#include "frame/event_log.h"
#include "frame/frame_state.h"
#include "frame/install_folder.h"
#include "frame/profile.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {
void forgetConfigPath() { util::frameState().configPathBuilt = false; }
}  // namespace

TEST(ConfigPath, BuiltOnceFromTheFirstFolder) {
    forgetConfigPath();
    SetPath("T:\\");
    EXPECT_EQ(util::configPath(), "T:\\ms.ini");
    ScratchDir dir("cfg");
    EXPECT_NE(SetPath(dir.path().c_str()), 0);
    EXPECT_EQ(util::configPath(), "T:\\ms.ini") << "a later SetPath does not move ms.ini";
    EXPECT_EQ(util::installFolder(), dir.path());

    forgetConfigPath();
    EXPECT_EQ(util::configPath(), dir.path() + "\\ms.ini");
    char buffer[260];
    EXPECT_EQ(util::copyConfigPath(buffer), static_cast<int>(dir.path().size() + 8));

    forgetConfigPath();
    SetPath((dir.path() + "\\").c_str());
    EXPECT_EQ(util::configPath(), dir.path() + "\\\\ms.ini");
    // The platform accepts the doubled backslash.
    EXPECT_TRUE(util::writeProfileInt("check", "value", 42));
    EXPECT_EQ(util::profileInt("check", "value", 0), 42);
    EXPECT_TRUE(fileExists(dir.file("ms.ini")));
    forgetConfigPath();
}

TEST(ConfigPath, ReadsDefaultsAndCreatesNothingByReading) {
    ScratchDir dir("ini");
    forgetConfigPath();
    SetPath(dir.path().c_str());
    EXPECT_EQ(util::profileString("incoming", "node0", "none"), "none");
    EXPECT_EQ(util::profileInt("EventLog", "use", 1), 1);
    EXPECT_FALSE(fileExists(dir.file("ms.ini")));
    util::writeProfileString("Mixed", "Key", "v");
    EXPECT_EQ(util::profileString("mixed", "KEY", ""), "v") << "names match without regard to case";
    util::writeProfileString("n", "neg", "-12");
    EXPECT_EQ(util::profileInt("n", "neg", 0), -12);
    util::writeProfileString("n", "word", "abc");
    EXPECT_EQ(util::profileInt("n", "word", 5), 0) << "a value not starting with a number reads as 0";
    util::deleteProfileSection("n");
    EXPECT_EQ(util::profileString("n", "neg", "gone"), "gone");
    forgetConfigPath();
}

TEST(PathExists, MatchesFilesAndFoldersButNotDots) {
    ScratchDir dir("exists");
    EXPECT_FALSE(util::pathExists(dir.file("*")));
    EXPECT_FALSE(util::pathExists(dir.file("missing\\*.txt")));
    ASSERT_TRUE(CreateDirectoryA(dir.file("sub").c_str(), nullptr));
    EXPECT_TRUE(util::pathExists(dir.file("*")));
    EXPECT_FALSE(util::pathExists(dir.file("sub\\*")));
    writeFile(dir.file("a.adr"), "x");
    EXPECT_TRUE(util::pathExists(dir.file("a.adr")));
    EXPECT_TRUE(util::pathExists(dir.file("*.adr")));
    EXPECT_FALSE(util::pathExists(dir.file("a.lck")));
}

TEST(StatusOut, SendsTheTextThenLogsItAsTransport) {
    struct Recorder {
        static LRESULT CALLBACK proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
            if (m == UTIL_MSG_STATUS) {
                texts().push_back(std::to_string(wp) + ":" + reinterpret_cast<const char*>(lp));
                return 0;
            }
            if (m == UTIL_MSG_EVENT) {
                texts().push_back("event " + std::to_string(lp));
                return 0;
            }
            return DefWindowProcA(w, m, wp, lp);
        }
        static std::vector<std::string>& texts() {
            static std::vector<std::string> t;
            return t;
        }
    };
    WNDCLASSA wc{};
    wc.lpfnWndProc = Recorder::proc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "StatusRecorder";
    RegisterClassA(&wc);
    HWND parent = CreateWindowA("StatusRecorder", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                wc.hInstance, nullptr);
    HWND list = CreateWindowA("LISTBOX", "", WS_CHILD, 0, 0, 200, 100, parent, nullptr, wc.hInstance, nullptr);
    SetLoghWnd(list, parent);
    util::statusOut("Connecting to mail.example.com");
    util::statusOut("");
    SetLoghWnd(nullptr, nullptr);
    ASSERT_EQ(Recorder::texts().size(), 2u);
    EXPECT_EQ(Recorder::texts()[0], "1:Connecting to mail.example.com");
    EXPECT_EQ(Recorder::texts()[1], "event 4");
    DestroyWindow(parent);
}
