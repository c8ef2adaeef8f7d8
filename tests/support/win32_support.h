// Helpers for the tests that run under Wine: scratch folders, files, the
// test thread's windows, timers that fire inside modal loops, and child
// processes with captured output.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testing_support {

// A fresh folder under the temporary folder, removed with its contents.
class ScratchDir {
public:
    explicit ScratchDir(const std::string& tag = "t");
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;
    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

void removeTree(const std::string& path);
bool writeFile(const std::string& path, const std::string& bytes);
std::string readFile(const std::string& path);
bool fileExists(const std::string& path);
long long fileSize(const std::string& path);

// Folder of the running test executable (utilities.dll and host.exe lie there).
std::string exeFolder();

// A window of the test's thread whose messages go to a handler first: it
// returns true for a message it handled (the window then returns 0), false
// to leave it to the default handling. Destroyed with the object.
class TestWindow {
public:
    using Handler = std::function<bool(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;
    explicit TestWindow(Handler handler, HWND parent = nullptr, DWORD style = WS_POPUP, const char* title = "");
    ~TestWindow();
    TestWindow(const TestWindow&) = delete;
    TestWindow& operator=(const TestWindow&) = delete;
    HWND hwnd() const { return hwnd_; }

private:
    static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    Handler handler_;
    HWND hwnd_ = nullptr;
};

// Windows of the calling thread whose class and/or title match (empty: any).
std::vector<HWND> threadWindows(const std::string& className, const std::string& title);
HWND findThreadWindow(const std::string& className, const std::string& title);

// Runs action on this thread after the given delay, also inside a modal
// loop (a dialog or a message box) that the test thread is running.
void runLater(UINT milliseconds, std::function<void()> action);

// Calls check every 20 ms, pumping messages, until it returns true or the
// time is up. Returns check's last answer.
bool waitUntil(const std::function<bool()>& check, DWORD milliseconds);
void pumpFor(DWORD milliseconds);

struct ProcessResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string output;  // stdout and stderr
};

// Starts a program with extra NAME=VALUE environment entries, waits for it
// (at most timeout) and returns its exit code and output.
ProcessResult runProcess(const std::string& commandLine, const std::vector<std::string>& extraEnvironment = {},
                         DWORD timeoutMs = 60000);

}  // namespace testing_support
