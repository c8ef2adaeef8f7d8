// "your mailbox.exe": the mail notifier that the welcome message attaches.
// It listens on a UDP port for the server's notification (the one byte
// "U", sent whenever the user's mailbox changed) and tells the user that
// mail has arrived: its window comes forward with the time of the news,
// and its notification-area icon shows a balloon.
//
//   your mailbox.exe [PORT [ADDRESS]]
//
// PORT defaults to the "port" of "your mailbox.ini" beside the program
// ([notifier] section), else 1024, the port the server uses when an
// account names none; 0 lets the system choose one (shown in the window).
// ADDRESS is the local address to listen on, all of them by default.
#include <winsock.h>
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr UINT kSocketMessage = WM_APP + 1;
constexpr UINT kTrayMessage = WM_APP + 2;
constexpr int kStatusId = 100;
constexpr int kPortId = 101;
constexpr int kSeenId = 102;
constexpr const char* kTitle = "Your mailbox";
constexpr const char* kNewMailTitle = "Your mailbox - new mail";

struct Notifier {
    SOCKET socket = INVALID_SOCKET;
    int port = 0;
    HWND window = nullptr;
    HWND status = nullptr;
    NOTIFYICONDATAA icon{};
    bool iconShown = false;
};
Notifier app;

std::string programFolder() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path);
    return folder.substr(0, folder.find_last_of('\\') + 1);
}

int configuredPort() {
    std::string ini = programFolder() + "your mailbox.ini";
    return static_cast<int>(GetPrivateProfileIntA("notifier", "port", 1024, ini.c_str()));
}

bool openSocket(int port, const char* address) {
    app.socket = socket(AF_INET, SOCK_DGRAM, 0);
    if (app.socket == INVALID_SOCKET) return false;
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = address ? inet_addr(address) : htonl(INADDR_ANY);
    local.sin_port = htons(static_cast<u_short>(port));
    if (bind(app.socket, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0) return false;
    int size = sizeof local;
    getsockname(app.socket, reinterpret_cast<sockaddr*>(&local), &size);
    app.port = ntohs(local.sin_port);
    return true;
}

void showTrayIcon(HWND window) {
    app.icon.cbSize = NOTIFYICONDATAA_V2_SIZE;
    app.icon.hWnd = window;
    app.icon.uID = 1;
    app.icon.uFlags = NIF_ICON | NIF_TIP | NIF_MESSAGE;
    app.icon.uCallbackMessage = kTrayMessage;
    app.icon.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));
    lstrcpynA(app.icon.szTip, kTitle, sizeof app.icon.szTip);
    app.iconShown = Shell_NotifyIconA(NIM_ADD, &app.icon) != FALSE;
}

void announce(const std::string& text) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char line[512];
    std::snprintf(line, sizeof line, "%s (%02d:%02d)", text.c_str(), now.wHour, now.wMinute);
    SetWindowTextA(app.status, line);
    SetWindowTextA(app.window, kNewMailTitle);
    ShowWindow(app.window, SW_SHOWNORMAL);
    SetForegroundWindow(app.window);
    FlashWindow(app.window, TRUE);
    MessageBeep(MB_ICONASTERISK);
    if (app.iconShown) {
        app.icon.uFlags = NIF_INFO | NIF_TIP;
        lstrcpynA(app.icon.szTip, kNewMailTitle, sizeof app.icon.szTip);
        lstrcpynA(app.icon.szInfoTitle, kTitle, sizeof app.icon.szInfoTitle);
        lstrcpynA(app.icon.szInfo, line, sizeof app.icon.szInfo);
        app.icon.dwInfoFlags = NIIF_INFO;
        Shell_NotifyIconA(NIM_MODIFY, &app.icon);
    }
}

void receive() {
    char data[512];
    sockaddr_in from{};
    int fromSize = sizeof from;
    int got = recvfrom(app.socket, data, sizeof data - 1, 0, reinterpret_cast<sockaddr*>(&from), &fromSize);
    if (got <= 0) return;
    data[got] = '\0';
    if (got == 1 && data[0] == 'U') announce("New mail has arrived in your mailbox");
    else announce(std::string("Message from the mail server: ") + data);
}

void markSeen() {
    SetWindowTextA(app.status, "No new mail");
    SetWindowTextA(app.window, kTitle);
    if (app.iconShown) {
        app.icon.uFlags = NIF_TIP;
        lstrcpynA(app.icon.szTip, kTitle, sizeof app.icon.szTip);
        Shell_NotifyIconA(NIM_MODIFY, &app.icon);
    }
}

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        HINSTANCE instance = reinterpret_cast<CREATESTRUCTA*>(lParam)->hInstance;
        HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
        char portText[64];
        std::snprintf(portText, sizeof portText, "Listening on UDP port %d", app.port);
        HWND port = CreateWindowA("STATIC", portText, WS_CHILD | WS_VISIBLE, 10, 10, 300, 18, window,
                                  reinterpret_cast<HMENU>(kPortId), instance, nullptr);
        app.status = CreateWindowA("STATIC", "No new mail", WS_CHILD | WS_VISIBLE, 10, 34, 300, 18, window,
                                   reinterpret_cast<HMENU>(kStatusId), instance, nullptr);
        HWND seen = CreateWindowA("BUTTON", "Seen", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 230, 60, 80, 24, window,
                                  reinterpret_cast<HMENU>(kSeenId), instance, nullptr);
        for (HWND control : {port, app.status, seen}) SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
        return 0;
    }
    case kSocketMessage:
        if (WSAGETSELECTEVENT(lParam) == FD_READ) receive();
        return 0;
    case kTrayMessage:
        if (lParam == WM_LBUTTONUP || lParam == WM_LBUTTONDBLCLK) {
            ShowWindow(window, SW_SHOWNORMAL);
            SetForegroundWindow(window);
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == kSeenId) markSeen();
        return 0;
    case WM_DESTROY:
        if (app.iconShown) Shell_NotifyIconA(NIM_DELETE, &app.icon);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    int port = __argc > 1 ? std::atoi(__argv[1]) : configuredPort();
    const char* address = __argc > 2 ? __argv[2] : nullptr;

    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return 1;
    if (port < 0 || port > 65535 || !openSocket(port, address)) {
        char text[128];
        std::snprintf(text, sizeof text, "Cannot listen on UDP port %d.", port);
        MessageBoxA(nullptr, text, kTitle, MB_OK | MB_ICONSTOP);
        WSACleanup();
        return 1;
    }

    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32516));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "YourMailboxNotifier";
    RegisterClassA(&wc);
    app.window = CreateWindowA(wc.lpszClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                               CW_USEDEFAULT, CW_USEDEFAULT, 330, 125, nullptr, nullptr, instance, nullptr);
    if (!app.window) return 1;
    WSAAsyncSelect(app.socket, app.window, kSocketMessage, FD_READ);
    showTrayIcon(app.window);
    ShowWindow(app.window, show);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    closesocket(app.socket);
    WSACleanup();
    return 0;
}
