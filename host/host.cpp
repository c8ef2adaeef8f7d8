// Entry point of the host: the main window with its event list and status
// window, then the commands.
#include "host.h"

#include <commctrl.h>

#include <cstdio>

namespace host {

FARPROC Library::find(const char* name) const {
    FARPROC fn = GetProcAddress(module, name);
    if (!fn) {
        std::fprintf(stderr, "host: utilities.dll has no export %s\n", name);
        std::fflush(stderr);
        ExitProcess(3);
    }
    return fn;
}

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
}

namespace {

LRESULT CALLBACK mainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UTIL_MSG_EVENT) {
        // A new event line: wParam is its index, lParam its category.
        HWND list = GetDlgItem(window, 1);
        LRESULT length = SendMessageA(list, LB_GETTEXTLEN, wParam, 0);
        std::string line(length > 0 ? static_cast<std::size_t>(length) : 0, '\0');
        if (length > 0) SendMessageA(list, LB_GETTEXT, wParam, reinterpret_cast<LPARAM>(line.data()));
        std::printf("event[%d]: %s\n", static_cast<int>(lParam), line.c_str());
        std::fflush(stdout);
        return 0;
    }
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT CALLBACK statusProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == UTIL_MSG_STATUS) {
        const char* text = reinterpret_cast<const char*>(lParam);
        std::printf("status[%d]: %s\n", static_cast<int>(wParam), text ? text : "");
        std::fflush(stdout);
        SetWindowTextA(window, text ? text : "");
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool createWindows(Host& host) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA main{};
    main.lpfnWndProc = mainProc;
    main.hInstance = instance;
    main.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    main.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    main.lpszClassName = "UtilHostMain";
    WNDCLASSA status = main;
    status.lpfnWndProc = statusProc;
    status.lpszClassName = "UtilHostStatus";
    if (!RegisterClassA(&main) || !RegisterClassA(&status)) return false;

    host.main = CreateWindowA("UtilHostMain", "Mail server host", WS_OVERLAPPEDWINDOW, 40, 40, 640, 420,
                              nullptr, nullptr, instance, nullptr);
    if (!host.main) return false;
    host.eventList = CreateWindowA("LISTBOX", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_BORDER | LBS_NOINTEGRALHEIGHT
                                   | LBS_USETABSTOPS, 8, 8, 616, 330, host.main,
                                   reinterpret_cast<HMENU>(1), instance, nullptr);
    host.status = CreateWindowA("UtilHostStatus", "", WS_CHILD | WS_VISIBLE | WS_BORDER, 8, 346, 616, 24, host.main,
                                reinterpret_cast<HMENU>(2), instance, nullptr);
    return host.eventList && host.status;
}

}  // namespace
}  // namespace host

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr,
                     "usage: host INSTALLDIR COMMAND [ARGS]... [COMMAND [ARGS]...]\n"
                     "       host INSTALLDIR commands   (lists the commands)\n");
        return 2;
    }
    InitCommonControls();
    host::Host h;
    h.installDir = argv[1];
    h.library.module = LoadLibraryA("utilities.dll");
    if (!h.library.module) {
        std::fprintf(stderr, "host: cannot load utilities.dll (error %lu)\n", GetLastError());
        return 3;
    }
    // Windows need a display; without one the host still runs the
    // exports that need none.
    if (!host::createWindows(h)) std::fprintf(stderr, "host: no windows (no display?)\n");
    else if (GetEnvironmentVariableA("HOST_SHOW", nullptr, 0) > 0) ShowWindow(h.main, SW_SHOW);

    auto setPath = h.library.get<decltype(&SetPath)>("SetPath");
    auto setLoghWnd = h.library.get<decltype(&SetLoghWnd)>("SetLoghWnd");
    if (!setPath(h.installDir.c_str())) std::printf("host: SetPath could not enter %s\n", h.installDir.c_str());
    setLoghWnd(h.eventList, h.status);

    std::vector<std::string> args(argv + 2, argv + argc);
    int code = host::runCommands(h, args);
    setLoghWnd(nullptr, nullptr);
    if (h.main) DestroyWindow(h.main);
    std::fflush(stdout);
    return code;
}
