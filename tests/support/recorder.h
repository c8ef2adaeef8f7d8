// The windows a server lends the library, recording what the library sends
// them: the status window (message 0x401: a kind and a text), the event
// list, whose parent is told of each new line and its category (message
// 3074), and the progress window of a download (0x401 too). They belong to
// the test's thread and are lent with SetLoghWnd while the recorder lives.
// Header only: it calls the export of whichever library the test links.
#pragma once

#include <windows.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "support/win32_support.h"
#include "utilities.h"

namespace testing_support {

class Recorder {
public:
    struct Event {
        int line;          // its index in the event list
        int category;      // UTIL_EVENT_...
        std::string text;  // the list's line without its date and time columns
    };

    Recorder()
        : parent_([this](HWND, UINT m, WPARAM wp, LPARAM lp) { return eventMessage(m, wp, lp); }, nullptr,
                  WS_OVERLAPPEDWINDOW, "events"),
          status_([this](HWND, UINT m, WPARAM wp, LPARAM lp) { return statusMessage(m, wp, lp, false); }),
          progress_([this](HWND, UINT m, WPARAM wp, LPARAM lp) { return statusMessage(m, wp, lp, true); }) {
        list_ = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 380,
                              200, parent_.hwnd(), nullptr, GetModuleHandleA(nullptr), nullptr);
        SetLoghWnd(list_, status_.hwnd());
    }
    ~Recorder() { SetLoghWnd(nullptr, nullptr); }
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    HWND statusWindow() const { return status_.hwnd(); }
    HWND eventList() const { return list_; }
    HWND progressWindow() const { return progress_.hwnd(); }

    std::vector<std::string> status;  // texts sent to the status window, in order
    std::vector<WPARAM> statusKinds;  // the wParam each came with (1; 0 from the schedule)
    std::vector<Event> events;
    std::vector<std::string> progress;  // texts sent to the progress window
    // Called with each status or progress text as it comes, inside the
    // library's call (a host's window may call AbortComms from there).
    std::function<void(const std::string&)> onStatus, onProgress;

    std::vector<std::string> statusOf(WPARAM kind) const {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < status.size(); ++i)
            if (statusKinds[i] == kind) out.push_back(status[i]);
        return out;
    }
    // The event texts of one category (0: of every category), in order.
    std::vector<std::string> eventTexts(int category = 0) const {
        std::vector<std::string> out;
        for (const Event& e : events)
            if (category == 0 || e.category == category) out.push_back(e.text);
        return out;
    }
    bool statusHas(const std::string& text) const {
        return std::find(status.begin(), status.end(), text) != status.end();
    }
    bool eventsHave(const std::string& text) const {
        return std::any_of(events.begin(), events.end(), [&](const Event& e) { return e.text == text; });
    }
    // The event list as it shows now: its line count and one whole line.
    int lineCount() const { return static_cast<int>(SendMessageA(list_, LB_GETCOUNT, 0, 0)); }
    std::string line(int index) const {
        LRESULT length = SendMessageA(list_, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length <= 0) return {};
        std::string text(static_cast<std::size_t>(length), '\0');
        SendMessageA(list_, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
        return text;
    }
    void clear() {
        status.clear();
        statusKinds.clear();
        events.clear();
        progress.clear();
    }

private:
    bool statusMessage(UINT message, WPARAM wParam, LPARAM lParam, bool isProgress) {
        if (message != UTIL_MSG_STATUS) return false;
        std::string text = lParam ? reinterpret_cast<const char*>(lParam) : "";
        if (isProgress) {
            progress.push_back(text);
            if (onProgress) onProgress(text);
        } else {
            status.push_back(text);
            statusKinds.push_back(wParam);
            if (onStatus) onStatus(text);
        }
        return true;
    }
    bool eventMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != UTIL_MSG_EVENT) return false;
        const std::string whole = line(static_cast<int>(wParam));
        events.push_back({static_cast<int>(wParam), static_cast<int>(lParam), whole.substr(0, whole.find('\t'))});
        return true;
    }

    TestWindow parent_;
    TestWindow status_;
    TestWindow progress_;
    HWND list_ = nullptr;
};

}  // namespace testing_support
