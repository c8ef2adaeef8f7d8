// rashand.exe: a stand-in for the dial-up handler. It owns the top-level
// window of class "RasHand" titled "rashand-main" and answers the library's
// requests (WM_USER + 1, 3, 4, 6, 7, 8, 9) as a real handler would, writing
// its status word ("OK", "BUSY", "FAIL ...") into the caller's name window.
// Nothing is dialled: the outcome is scripted by rashand.ini beside the
// program, section [script]:
//   connected=1       a connection is up when the handler starts (default 0)
//   answer=OK         how a dial ends: OK, FAIL or NONE (never answers)
//   reason=text       the reason written after "FAIL " (none: just "FAIL")
//   answer_after=500  milliseconds from a dial request to its answer
//   progress=text     written into the name window as soon as a dial starts
//   busy=2            the first 2 dials report "BUSY" (counted in the log,
//                     so a restarted handler goes on counting)
//   refuse=1          dial requests are refused
//   entry0=Name ...   the entries added to a combo box for WM_USER + 8
//   exit_on_reset=1   the handler quits on WM_USER + 6
//   idle_exit=60      quits after this many seconds without a request
// Every request is appended to rashand.log beside the program.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kNoteConnection = WM_USER + 1;
constexpr UINT kIsConnected = WM_USER + 3;
constexpr UINT kHangUp = WM_USER + 4;
constexpr UINT kReset = WM_USER + 6;
constexpr UINT kDial = WM_USER + 7;
constexpr UINT kListEntries = WM_USER + 8;
constexpr UINT kCancel = WM_USER + 9;

constexpr UINT_PTR kAnswerTimer = 1;
constexpr UINT_PTR kIdleTimer = 2;
constexpr UINT_PTR kProgressTimer = 3;

struct Handler {
    std::string folder;     // where the program, its script and its log live
    bool connected = false;
    HWND dialWindow = nullptr;
    UINT idleSeconds = 0;
} handler;

std::string scriptPath() { return handler.folder + "\\rashand.ini"; }

std::string setting(const char* key, const char* fallback) {
    char value[1024] = {};
    GetPrivateProfileStringA("script", key, fallback, value, sizeof value, scriptPath().c_str());
    return value;
}

int settingInt(const char* key, int fallback) {
    return static_cast<int>(GetPrivateProfileIntA("script", key, fallback, scriptPath().c_str()));
}

void logLine(const std::string& line) {
    std::string path = handler.folder + "\\rashand.log";
    HANDLE log = CreateFileA(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE) return;
    std::string text = line + "\r\n";
    DWORD put = 0;
    WriteFile(log, text.data(), static_cast<DWORD>(text.size()), &put, nullptr);
    CloseHandle(log);
}

std::string windowText(HWND window) {
    char text[1025] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string number(long long value) { return std::to_string(value); }

// Writes a status word into the caller's name window; the caller reads it
// between its one-second sleeps, so the wait is bounded.
void answer(const std::string& word) {
    logLine("answer " + word);
    DWORD_PTR result = 0;
    SendMessageTimeoutA(handler.dialWindow, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(word.c_str()), SMTO_NORMAL,
                        5000, &result);
}

// Dial requests accepted so far, by this handler or an earlier one.
int dialsLogged() {
    std::string log;
    HANDLE file = CreateFileA((handler.folder + "\\rashand.log").c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    char chunk[4096];
    DWORD got = 0;
    while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) log.append(chunk, got);
    CloseHandle(file);
    int dials = 0;
    for (std::size_t at = 0; at < log.size();) {
        std::size_t end = log.find('\n', at);
        if (end == std::string::npos) end = log.size();
        std::string line = log.substr(at, end - at);
        if (line.rfind("USER+7 ", 0) == 0 && line.find(" refused") == std::string::npos) ++dials;
        at = end + 1;
    }
    return dials;
}

void finishDial(HWND main) {
    KillTimer(main, kAnswerTimer);
    if (dialsLogged() <= settingInt("busy", 0)) {
        answer("BUSY");
        return;
    }
    std::string outcome = setting("answer", "OK");
    if (outcome == "OK") {
        handler.connected = true;
        answer("OK");
    } else if (outcome == "FAIL") {
        std::string reason = setting("reason", "");
        answer(reason.empty() ? "FAIL" : "FAIL " + reason);
    }
    // NONE: the dial never ends by itself.
}

LRESULT request(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
    auto nameWindow = reinterpret_cast<HWND>(wParam);
    switch (message) {
    case kNoteConnection:
        logLine("USER+1 wparam=" + number(wParam) + " lparam=" + number(lParam));
        return 0;
    case kIsConnected:
        logLine("USER+3 connected=" + number(handler.connected));
        return handler.connected ? 1 : 0;
    case kHangUp:
        logLine("USER+4 name=" + windowText(nameWindow) + " lparam=" + number(lParam));
        KillTimer(main, kAnswerTimer);
        handler.connected = false;
        return 0;
    case kReset:
        logLine("USER+6");
        if (settingInt("exit_on_reset", 0)) DestroyWindow(main);
        return 0;
    case kDial: {
        std::string name = windowText(nameWindow);
        bool refused = settingInt("refuse", 0) != 0;
        logLine("USER+7 name=" + name + " lparam=" + (lParam == static_cast<LPARAM>(wParam) ? "name-window" : number(lParam))
                + (refused ? " refused" : ""));
        if (refused) return 1;
        handler.dialWindow = nameWindow;
        SetTimer(main, kAnswerTimer, static_cast<UINT>(settingInt("answer_after", 500)), nullptr);
        // The progress word is written once the request has been answered.
        if (!setting("progress", "").empty()) SetTimer(main, kProgressTimer, 10, nullptr);
        return 0;
    }
    case kListEntries: {
        int added = 0;
        for (;; ++added) {
            std::string key = "entry" + number(added);
            std::string entry = setting(key.c_str(), "");
            if (entry.empty()) break;
            SendMessageA(nameWindow, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        logLine("USER+8 added=" + number(added));
        return added;
    }
    case kCancel:
        logLine("USER+9 name=" + windowText(nameWindow) + " lparam=" + number(lParam));
        KillTimer(main, kAnswerTimer);
        return 0;
    default:
        return DefWindowProcA(main, message, wParam, lParam);
    }
}

LRESULT CALLBACK mainProc(HWND main, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message >= WM_USER && message <= WM_USER + 9) {
        handler.idleSeconds = 0;
        return request(main, message, wParam, lParam);
    }
    switch (message) {
    case WM_TIMER:
        if (wParam == kProgressTimer) {
            KillTimer(main, kProgressTimer);
            answer(setting("progress", ""));
        } else if (wParam == kAnswerTimer) {
            finishDial(main);
        } else if (wParam == kIdleTimer) {
            int limit = settingInt("idle_exit", 0);
            if (limit > 0 && ++handler.idleSeconds >= static_cast<UINT>(limit)) DestroyWindow(main);
        }
        return 0;
    case WM_DESTROY:
        logLine("exit");
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(main, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    handler.folder = path;
    handler.folder = handler.folder.substr(0, handler.folder.find_last_of('\\'));
    handler.connected = settingInt("connected", 0) != 0;

    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    logLine(std::string("start folder=") + folder);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = mainProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "RasHand";
    if (!RegisterClassA(&windowClass)) return 1;
    // The window stays hidden: it is only a mailbox for requests.
    HWND main = CreateWindowA("RasHand", "rashand-main", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                              instance, nullptr);
    if (!main) return 1;
    SetTimer(main, kIdleTimer, 1000, nullptr);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return 0;
}
