// An install folder for a test: a fresh scratch folder with the sub-folders
// asked for and ms.ini's text (none when empty), made the library's folder
// with SetPath; its ms.ini read and written key by key, the files of a
// sub-folder listed. It is left (the current folder goes back to the
// temporary one) and removed at the end.
//
// The library builds ms.ini's path once, at its first use, so a test
// program linked with the DLL works in one folder: one Install a test, each
// test in a process of its own (as CTest runs them), or one for the whole
// program with Install::forProgram. A program linked with the static shell
// can start anew for each Install (Install::rebuildConfigPathWith).
// Header only: it calls the export of whichever library the test links.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/win32_support.h"
#include "utilities.h"

namespace testing_support {

class Install {
public:
    explicit Install(const std::string& iniText = "", const std::vector<std::string>& folders = {})
        : dir_("install") {
        for (const std::string& sub : folders) CreateDirectoryA(dir_.file(sub).c_str(), nullptr);
        if (!iniText.empty()) writeIni(iniText);
        if (!enter(dir_.path())) ADD_FAILURE() << "SetPath refused " << dir_.path();
    }
    ~Install() {
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        SetCurrentDirectoryA(temp);
    }
    Install(const Install&) = delete;
    Install& operator=(const Install&) = delete;

    // The sub-folders a server's install folder has.
    static std::vector<std::string> serverFolders() {
        return {"tmp", "temp", "event log", "mailboxes", "address lists", "spam lists"};
    }

    const std::string& path() const { return dir_.path(); }
    std::string file(const std::string& name) const { return dir_.file(name); }
    std::string iniPath() const { return dir_.file("ms.ini"); }

    void writeIni(const std::string& text) const { writeFile(iniPath(), text); }
    std::string ini(const std::string& section, const std::string& key, const std::string& fallback = "<none>") const {
        char value[2048] = {};
        GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), value, sizeof value,
                                 iniPath().c_str());
        return value;
    }
    void set(const std::string& section, const std::string& key, const std::string& value) const {
        WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), iniPath().c_str());
    }
    std::vector<std::string> keys(const std::string& section) const {
        std::vector<char> buffer(32768);
        DWORD n = GetPrivateProfileStringA(section.c_str(), nullptr, "", buffer.data(),
                                           static_cast<DWORD>(buffer.size()), iniPath().c_str());
        std::vector<std::string> result;
        for (DWORD i = 0; i < n && buffer[i];) {
            result.emplace_back(buffer.data() + i);
            i += static_cast<DWORD>(result.back().size()) + 1;
        }
        return result;
    }
    // The names of the files (not folders) in a sub-folder.
    std::vector<std::string> files(const std::string& sub) const {
        std::vector<std::string> names;
        WIN32_FIND_DATAA found;
        HANDLE find = FindFirstFileA(file(sub + "\\*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileA(find, &found));
        FindClose(find);
        return names;
    }

    // The library's install folder becomes folder; false when SetPath refused it.
    static bool enter(const std::string& folder) {
        if (rebuildConfigPath()) rebuildConfigPath()();
        return SetPath(folder.c_str()) != 0;
    }
    // For a program linked with the static shell: how to make the library
    // build ms.ini's path again, done before each folder is entered.
    static bool rebuildConfigPathWith(std::function<void()> rebuild) {
        rebuildConfigPath() = std::move(rebuild);
        return true;
    }

    // One install folder for every test of the program, made before the
    // first: ::testing::AddGlobalTestEnvironment(Install::forProgram(...)),
    // then Install::program().
    static ::testing::Environment* forProgram(std::vector<std::string> folders = {}) {
        class ProgramInstall : public ::testing::Environment {
        public:
            explicit ProgramInstall(std::vector<std::string> folders) : folders_(std::move(folders)) {}
            void SetUp() override { programInstall() = std::make_unique<Install>("", folders_); }
            void TearDown() override { programInstall().reset(); }

        private:
            std::vector<std::string> folders_;
        };
        return new ProgramInstall(std::move(folders));
    }
    static const Install& program() { return *programInstall(); }

private:
    static std::function<void()>& rebuildConfigPath() {
        static std::function<void()> rebuild;
        return rebuild;
    }
    static std::unique_ptr<Install>& programInstall() {
        static std::unique_ptr<Install> install;
        return install;
    }

    ScratchDir dir_;
};

}  // namespace testing_support
