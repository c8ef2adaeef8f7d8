// Records what the library shows while a POP3 test runs: the status texts
// (0x401 to the status window), the event lines of the event list, and the
// progress texts sent to a download's progress window. The windows belong
// to the test's thread, so parallel tests do not see each other's texts.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace pop3_testing {

class Recorder {
public:
    Recorder();
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    HWND statusWindow() const { return status_; }
    HWND progressWindow() const { return progress_; }

    std::vector<std::string> status;    // status texts in order
    std::vector<std::string> events;    // event texts (without date and time) in order
    std::vector<std::string> progress;  // progress texts in order
    // Called for each progress text, from inside the download.
    std::function<void(const std::string&)> onProgress;

    bool statusHas(const std::string& text) const;
    bool eventsHave(const std::string& text) const;
    void clear();

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND main_ = nullptr;
    HWND list_ = nullptr;
    HWND status_ = nullptr;
    HWND progress_ = nullptr;
};

}  // namespace pop3_testing
