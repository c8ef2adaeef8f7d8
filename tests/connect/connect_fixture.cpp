#include "connect_fixture.h"

#include "utilities.h"

using namespace testing_support;

namespace connect_test {
namespace {

std::unique_ptr<ScratchDir>& scratch() {
    static std::unique_ptr<ScratchDir> dir;
    return dir;
}

std::vector<StatusText>& statusRecord() {
    static std::vector<StatusText> record;
    return record;
}

std::vector<EventLine>& eventRecord() {
    static std::vector<EventLine> record;
    return record;
}

LRESULT CALLBACK statusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UTIL_MSG_STATUS) {
        statusRecord().push_back({wParam, lParam ? reinterpret_cast<const char*>(lParam) : ""});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK eventParentProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UTIL_MSG_EVENT) {
        HWND list = GetDlgItem(window, 1);
        char line[2048] = {};
        SendMessageA(list, LB_GETTEXT, wParam, reinterpret_cast<LPARAM>(line));
        std::string text = line;
        eventRecord().push_back({static_cast<int>(lParam), text.substr(0, text.find('\t'))});
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerClasses() {
    static bool done = false;
    if (done) return;
    done = true;
    WNDCLASSA status{};
    status.lpfnWndProc = statusProc;
    status.hInstance = GetModuleHandleA(nullptr);
    status.lpszClassName = "ConnectTestStatus";
    RegisterClassA(&status);
    WNDCLASSA parent = status;
    parent.lpfnWndProc = eventParentProc;
    parent.lpszClassName = "ConnectTestEvents";
    RegisterClassA(&parent);
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
    scratch() = std::make_unique<ScratchDir>("connect");
    CreateDirectoryA(file("event log").c_str(), nullptr);
    copyBeside("rashand.exe");
    copyBeside("count.avi");
    ASSERT_NE(SetPath(folder().c_str()), 0);
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
    registerClasses();
    clearRecords();
    HINSTANCE instance = GetModuleHandleA(nullptr);
    nameWindow = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, instance, nullptr);
    statusWindow = CreateWindowA("ConnectTestStatus", "", WS_POPUP, 0, 0, 40, 10, nullptr, nullptr, instance,
                                 nullptr);
    // Shown without taking the activation: window tests running beside
    // these assert on their own focus.
    ShowWindow(statusWindow, SW_SHOWNOACTIVATE);
    eventParent_ = CreateWindowA("ConnectTestEvents", "", WS_POPUP, 0, 0, 300, 200, nullptr, nullptr, instance,
                                 nullptr);
    eventList = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | LBS_NOINTEGRALHEIGHT, 0, 0, 300, 200,
                              eventParent_, reinterpret_cast<HMENU>(1), instance, nullptr);
    SetLoghWnd(eventList, nullptr);
}

void ConnectTest::TearDown() {
    SetLoghWnd(nullptr, nullptr);
    AbortComms(0);
    DestroyWindow(eventParent_);
    DestroyWindow(statusWindow);
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

std::vector<std::string> ConnectTest::statusTexts(WPARAM wParam) const {
    std::vector<std::string> out;
    for (const auto& s : statusRecord())
        if (s.wParam == wParam) out.push_back(s.text);
    return out;
}

std::vector<std::string> ConnectTest::dialEvents() const {
    std::vector<std::string> out;
    for (const auto& e : eventRecord())
        if (e.category == UTIL_EVENT_DIALUP) out.push_back(e.text);
    return out;
}

const std::vector<EventLine>& ConnectTest::events() const { return eventRecord(); }

const std::vector<StatusText>& ConnectTest::received() const { return statusRecord(); }

void ConnectTest::clearRecords() {
    statusRecord().clear();
    eventRecord().clear();
}

}  // namespace connect_test
