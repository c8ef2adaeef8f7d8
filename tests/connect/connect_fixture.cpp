#include "connect_fixture.h"

#include "support/install.h"
#include "utilities.h"

using namespace testing_support;

namespace connect_test {
namespace {

std::unique_ptr<Install>& scratch() {
    static std::unique_ptr<Install> install;
    return install;
}

void copyBeside(const std::string& name) {
    ASSERT_TRUE(CopyFileA((exeFolder() + "\\" + name).c_str(), ConnectTest::file(name).c_str(), FALSE)) << name;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

}  // namespace

HWND handlerWindow() { return FindWindowA("RasHand", "rashand-main"); }

void closeHandlers() {
    for (int i = 0; i < 20; ++i) {
        HWND handler = handlerWindow();
        if (!handler) return;
        DWORD pid = 0;
        GetWindowThreadProcessId(handler, &pid);
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
        PostMessageA(handler, WM_CLOSE, 0, 0);
        if (process) {
            WaitForSingleObject(process, 5000);
            CloseHandle(process);
        } else {
            Sleep(200);
        }
    }
}

void ConnectTest::SetUpTestSuite() {
    if (scratch()) return;
    scratch() = std::make_unique<Install>("", std::vector<std::string>{"event log"});
    copyBeside("rashand.exe");
    copyBeside("count.avi");
    // A first read fixes ms.ini's path in this folder for the process.
    char text[64];
    OKToBeOnline(nullptr, 0, text);
}

// The folder stays until the program ends: ms.ini's path cannot move to
// another folder for the next suite. It is removed at exit.
void ConnectTest::TearDownTestSuite() {}

void HandlerTest::TearDownTestSuite() {
    closeHandlers();
    ConnectTest::TearDownTestSuite();
}

void HandlerTest::SetUp() {
    closeHandlers();
    ConnectTest::SetUp();
}

void HandlerTest::TearDown() {
    ConnectTest::TearDown();
    closeHandlers();
}

void ConnectTest::SetUp() {
    AbortComms(0);
    DeleteFileA(file("rashand.log").c_str());
    DeleteFileA(file("ms.ini").c_str());
    DeleteFileA(file("rashand.ini").c_str());
    nameWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, GetModuleHandleA(nullptr),
                               nullptr);
    recorder = std::make_unique<testing_support::Recorder>();
    statusWindow = recorder->statusWindow();
    // Shown, without the activation, so the schedule can invalidate it.
    ShowWindow(statusWindow, SW_SHOWNOACTIVATE);
}

void ConnectTest::TearDown() {
    AbortComms(0);
    recorder.reset();
    DestroyWindow(nameWindow);
}

std::string ConnectTest::folder() { return scratch()->path(); }

std::string ConnectTest::file(const std::string& name) { return scratch()->file(name); }

void ConnectTest::writeConfig(const std::vector<std::string>& lines) {
    ASSERT_TRUE(writeFile(file("ms.ini"), joinLines(lines)));
}

void ConnectTest::writeScript(const std::vector<std::string>& lines) {
    std::vector<std::string> all{"[script]", "idle_exit=60"};
    all.insert(all.end(), lines.begin(), lines.end());
    ASSERT_TRUE(writeFile(file("rashand.ini"), joinLines(all)));
}

std::vector<std::string> ConnectTest::handlerLog() {
    std::string text = readFile(file("rashand.log"));
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find("\r\n", at);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + 2;
    }
    return lines;
}

int ConnectTest::countLines(const std::vector<std::string>& lines, const std::string& prefix) {
    int n = 0;
    for (const auto& line : lines)
        if (line.rfind(prefix, 0) == 0) ++n;
    return n;
}

}  // namespace connect_test
