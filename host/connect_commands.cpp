// Host commands for the connectivity exports: dial-up through the handler
// program, the online state, the start-up countdown and the schedule.
#include <cstdio>

#include "commands.h"

namespace host {
namespace {

// The window whose text the dial-up handler reads and writes, lent to the
// library the way the mail server lends one of its own.
HWND nameWindow() {
    static HWND window = CreateWindowA("STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
    return window;
}

// Timers that act while a dial runs: the library pumps the host's
// messages between its one-second waits.
Host* timerHost = nullptr;
LPARAM lastParam = 0;

void CALLBACK abortTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::printf("abortcomms\n");
    std::fflush(stdout);
    timerHost->library.get<decltype(&AbortComms)>("AbortComms")(1);
}

void CALLBACK redialTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    int result = timerHost->library.get<decltype(&GetOnLine)>("GetOnLine")(nameWindow(), lastParam, timerHost->status);
    std::printf("getonline (during a dial): %d\n", result);
    std::fflush(stdout);
}

void CALLBACK quitTimer(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::printf("quit posted\n");
    std::fflush(stdout);
    PostQuitMessage(0);
}

int later(Host& h, const Args& a, TIMERPROC proc) {
    timerHost = &h;
    SetTimer(nullptr, 0, static_cast<UINT>(toInt(a[0])), proc);
    return 0;
}

int abortCmdLater(Host& h, const Args& a) { return later(h, a, abortTimer); }
int redialCmdLater(Host& h, const Args& a) { return later(h, a, redialTimer); }
int quitCmdLater(Host& h, const Args& a) { return later(h, a, quitTimer); }

int getOnLineCmd(Host& h, const Args& a) {
    lastParam = toInt(a[0]);
    int result = h.library.get<decltype(&GetOnLine)>("GetOnLine")(nameWindow(), lastParam, h.status);
    std::printf("getonline: %d\n", result);
    return 0;
}

int getOfflineCmd(Host& h, const Args& a) {
    int result = h.library.get<decltype(&GetOffline)>("GetOffline")(nameWindow(), toInt(a[0]), h.status);
    std::printf("getoffline: %d\n", result);
    return 0;
}

int isOnLineCmd(Host& h, const Args&) {
    std::printf("isonline: %d\n", h.library.get<decltype(&IsOnLine)>("IsOnLine")());
    return 0;
}

int startupCmd(Host& h, const Args&) {
    std::printf("connectonstartup: %d\n", h.library.get<decltype(&ConnectOnStartUp)>("ConnectOnStartUp")(h.main));
    return 0;
}

int dunsCmd(Host& h, const Args&) {
    HWND combo = CreateWindowA("COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, 0, 200, 200, h.main,
                               nullptr, GetModuleHandleA(nullptr), nullptr);
    int result = h.library.get<decltype(&GetW95DUNs)>("GetW95DUNs")(combo);
    std::printf("w95duns: %d\n", result);
    LRESULT count = SendMessageA(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        char entry[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry));
        std::printf("entry: %s\n", entry);
    }
    DestroyWindow(combo);
    return 0;
}

int scheduleCmd(Host& h, const Args& a) {
    char text[64] = {};
    int result = h.library.get<decltype(&OKToBeOnline)>("OKToBeOnline")(h.status, toInt(a[0]), text);
    std::printf("oktobeonline: %d %s\n", result, text);
    return 0;
}

const Command connectCommands[] = {
    {"getonline", 1, "PARAM: GetOnLine with the host's name and status windows", getOnLineCmd},
    {"getoffline", 1, "PARAM: GetOffline", getOfflineCmd},
    {"isonline", 0, "IsOnLine", isOnLineCmd},
    {"connectonstartup", 0, "ConnectOnStartUp (the countdown dialog)", startupCmd},
    {"w95duns", 0, "GetW95DUNs into a combo box, then its entries", dunsCmd},
    {"oktobeonline", 1, "TICK: OKToBeOnline (1 marks a minute)", scheduleCmd},
    {"abortafter", 1, "MILLISECONDS: AbortComms(1) from a timer during the next command", abortCmdLater},
    {"redialafter", 1, "MILLISECONDS: GetOnLine again from a timer during the next command", redialCmdLater},
    {"quitafter", 1, "MILLISECONDS: a quit message from a timer during the next command", quitCmdLater},
};
HOST_COMMANDS(connectCommands);

}  // namespace
}  // namespace host
