// An install folder for the shell tests of accounts and reminders: fresh
// for every test, with the sub-folders the writers use, an ms.ini written
// whole, and the events the library logs recorded with their categories.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "frame/frame_state.h"
#include "support/win32_support.h"
#include "utilities.h"

namespace testing_support {

class TestInstall {
public:
    explicit TestInstall(const std::string& tag) : dir_(tag) {
        for (const char* sub : {"tmp", "temp", "event log", "mailboxes", "address lists"})
            CreateDirectoryA(dir_.file(sub).c_str(), nullptr);
        enter(dir_.path());
        createEventList();
    }
    ~TestInstall() {
        SetLoghWnd(nullptr, nullptr);
        DestroyWindow(parent_);
        char temp[MAX_PATH];
        GetTempPathA(sizeof temp, temp);
        SetCurrentDirectoryA(temp);
    }

    // The library's install folder becomes folder (ms.ini with it).
    static void enter(const std::string& folder) {
        util::frameState().configPathBuilt = false;
        SetPath(folder.c_str());
    }

    const std::string& path() const { return dir_.path(); }
    std::string file(const std::string& name) const { return dir_.file(name); }
    void ini(const std::string& text) const { writeFile(file("ms.ini"), text); }

    // Names of the files in a sub-folder.
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

    // The events logged so far: their texts (as the event list shows them,
    // without the time) and categories.
    std::vector<std::pair<std::string, int>> events() const {
        std::vector<std::pair<std::string, int>> out;
        int count = static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count && i < static_cast<int>(categories_.size()); ++i) {
            char text[2048] = {};
            SendMessageA(list_, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
            std::string line(text);
            out.emplace_back(line.substr(0, line.find('\t')), categories_[i]);
        }
        return out;
    }

private:
    static LRESULT CALLBACK parentProc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == UTIL_MSG_EVENT) {
            auto* self = reinterpret_cast<TestInstall*>(GetWindowLongPtrA(w, GWLP_USERDATA));
            if (self) self->categories_.push_back(static_cast<int>(lp));
            return 0;
        }
        return DefWindowProcA(w, m, wp, lp);
    }

    void createEventList() {
        WNDCLASSA wc{};
        wc.lpfnWndProc = parentProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "AccountsTestEvents";
        RegisterClassA(&wc);
        parent_ = CreateWindowA(wc.lpszClassName, "events", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, nullptr, nullptr,
                                wc.hInstance, nullptr);
        SetWindowLongPtrA(parent_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        list_ = CreateWindowA("LISTBOX", "", WS_CHILD | LBS_NOINTEGRALHEIGHT, 0, 0, 380, 200, parent_, nullptr,
                              wc.hInstance, nullptr);
        SetLoghWnd(list_, nullptr);
    }

    ScratchDir dir_;
    HWND parent_ = nullptr;
    HWND list_ = nullptr;
    std::vector<int> categories_;
};

}  // namespace testing_support
