// One install folder for a test program that calls the real DLL: the
// configuration path is fixed at its first use, so every test of the
// program works in the folder given to SetPath first. Register it once:
//   const auto* const env = ::testing::AddGlobalTestEnvironment(
//       new testing_support::InstallFolder("tag", {"sub folder"}));
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/win32_support.h"
#include "utilities.h"

namespace testing_support {

class InstallFolder : public ::testing::Environment {
public:
    explicit InstallFolder(std::string tag, std::vector<std::string> subfolders = {})
        : tag_(std::move(tag)), subfolders_(std::move(subfolders)) {}

    void SetUp() override {
        dir() = new ScratchDir(tag_);
        ASSERT_NE(SetPath(dir()->path().c_str()), 0);
        for (const auto& sub : subfolders_) CreateDirectoryA(dir()->file(sub).c_str(), nullptr);
    }
    void TearDown() override {
        // Leave the folder before removing it.
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        SetCurrentDirectoryA(temp);
        delete dir();
        dir() = nullptr;
    }

    static const std::string& path() { return dir()->path(); }
    static std::string file(const std::string& name) { return dir()->file(name); }

private:
    static ScratchDir*& dir() {
        static ScratchDir* folder = nullptr;
        return folder;
    }
    std::string tag_;
    std::vector<std::string> subfolders_;
};

}  // namespace testing_support
