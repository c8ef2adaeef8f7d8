// The built help file in an install folder, through the real utilities.dll:
// IsHelpInstalled sees it, RunHelp opens it in the platform's viewer. What
// the viewer draws is not looked at (Wine's viewer may lack its HTML engine).
// Wine's viewer keeps the file open until the process ends, so the test that
// deletes it comes first.
#include <gtest/gtest.h>

#include <string>

#include "frame/help_topics.h"
#include "support/install.h"
#include "support/win32_support.h"
#include "utilities.h"

using namespace testing_support;

namespace {

const auto* const installEnvironment = ::testing::AddGlobalTestEnvironment(Install::forProgram());

std::string install(const std::string& name) { return Install::program().file(name); }

class HelpDll : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((exeFolder() + "\\" + help::kFile).c_str(), install(help::kFile).c_str(), FALSE))
            << "the build puts " << help::kFile << " beside the tests";
    }
    void TearDown() override {
        DeleteFileA(install(help::kFile).c_str());
        DeleteFileA(install("hhupd.exe").c_str());
    }
};

bool viewerInstalled() {
    char folder[MAX_PATH];
    GetWindowsDirectoryA(folder, sizeof folder);
    if (fileExists(std::string(folder) + "\\hh.exe")) return true;
    GetSystemDirectoryA(folder, sizeof folder);
    return fileExists(std::string(folder) + "\\hh.exe");
}

}  // namespace

TEST_F(HelpDll, IsHelpInstalledAsksForTheViewerOnlyWithItsInstallerAndWithoutHh) {
    EXPECT_EQ(IsHelpInstalled(), 1) << "the help file alone: hhupd.exe is missing";
    ASSERT_TRUE(writeFile(install("hhupd.exe"), "MZ"));
    EXPECT_EQ(IsHelpInstalled(), viewerInstalled() ? 1 : 0);
    ASSERT_TRUE(DeleteFileA(install(help::kFile).c_str()));
    EXPECT_EQ(IsHelpInstalled(), 1) << "the installer alone: no help file to show";
}

TEST_F(HelpDll, RunHelpOpensTheInstalledFileInAWindow) {
    HWND owner = CreateWindowA("STATIC", "help owner", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    HWND viewer = reinterpret_cast<HWND>(static_cast<INT_PTR>(RunHelp(owner)));
    ASSERT_NE(viewer, nullptr) << "no viewer window for " << install(help::kFile);
    EXPECT_TRUE(IsWindow(viewer));
    char title[256] = {};
    GetWindowTextA(viewer, title, sizeof title);
    EXPECT_STREQ(title, "Mail Server Help") << "the title the help file gives its window";

    // A second call finds the viewer loaded and shows the same window.
    EXPECT_EQ(reinterpret_cast<HWND>(static_cast<INT_PTR>(RunHelp(owner))), viewer);
    SendMessageA(viewer, WM_CLOSE, 0, 0);
    pumpFor(100);
    EXPECT_FALSE(IsWindow(viewer));
    DestroyWindow(owner);
}
