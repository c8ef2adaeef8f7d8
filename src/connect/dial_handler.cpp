#include "connect/dial_handler.h"

#include <shellapi.h>

#include <vector>

#include "connect/connect_state.h"
#include "frame/event_log.h"
#include "frame/install_folder.h"
#include "frame/message_pump.h"
#include "frame/profile.h"
#include "frame/abort_flag.h"
#include "utilities.h"

namespace util {
namespace {

// The handler gets ten seconds to show its window after it was started.
constexpr int kStartLookups = 10;
constexpr DWORD kLookupInterval = 1000;
// The name window's text is read up to this many characters.
constexpr int kNameTextSize = 1024;

HWND lookForHandler() { return FindWindowA(kHandlerClass, kHandlerTitle); }

// The install folder as the handler's working folder: without a trailing
// backslash, except for a drive root.
std::string workingFolder() {
    std::string folder = installFolder();
    if (folder.size() > 3 && folder.back() == '\\') folder.pop_back();
    return folder;
}

}  // namespace

void showCursor(LPCSTR cursor) { SetCursor(LoadCursorA(nullptr, cursor)); }

HWND findOrStartHandler() {
    ConnectState& state = connectState();
    showCursor(IDC_APPSTARTING);
    if (HWND found = lookForHandler()) return state.handler = found;

    std::string program = installFile(std::string("\\") + kHandlerProgram);
    std::string folder = workingFolder();
    auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteA(nullptr, "open", program.c_str(), nullptr, folder.c_str(), SW_SHOWNORMAL));
    if (started <= 32) {
        showCursor(IDC_ARROW);
        return state.handler = nullptr;
    }
    HWND found = lookForHandler();
    for (int i = 0; !found && i < kStartLookups; ++i) {
        Sleep(kLookupInterval);
        found = lookForHandler();
    }
    showCursor(IDC_ARROW);
    return state.handler = found;
}

void dialStatusLine(HWND statusWindow, const std::string& text, bool logged) {
    if (statusWindow) SendMessageA(statusWindow, UTIL_MSG_STATUS, 1, reinterpret_cast<LPARAM>(text.c_str()));
    if (logged) logEvent(text, UTIL_EVENT_DIALUP);
}

std::string rasName() { return read(cfg::kDialupEntry); }

// A handler that has gone answers nothing: -1, which a dial request takes
// as a refusal (a message to a window that no longer exists gives 0, the
// handler's "started").
LRESULT HandlerDial::send(UINT request, WPARAM wParam, LPARAM lParam) {
    HWND handler = connectState().handler;
    if (!handler || !IsWindow(handler)) return -1;
    return SendMessageA(handler, request, wParam, lParam);
}

bool HandlerDial::findHandler() { return findOrStartHandler() != nullptr; }

bool HandlerDial::connectionUp() {
    HWND handler = connectState().handler;
    return handler && SendMessageA(handler, kHandlerIsConnected, 0, 0) != 0;
}

void HandlerDial::reportConnected(bool ourDial) { send(kHandlerNoteConnection, ourDial ? 1 : 0, param_); }

bool HandlerDial::startDial(const std::string& name) {
    SetWindowTextA(name_, name.c_str());
    return send(kHandlerDial, reinterpret_cast<WPARAM>(name_), reinterpret_cast<LPARAM>(name_)) == 0;
}

void HandlerDial::hangUp(const std::string& name) {
    SetWindowTextA(name_, name.c_str());
    send(kHandlerHangUp, reinterpret_cast<WPARAM>(name_), param_);
}

void HandlerDial::cancelDial(const std::string& name) {
    SetWindowTextA(name_, name.c_str());
    send(kHandlerCancel, reinterpret_cast<WPARAM>(name_), param_);
}

void HandlerDial::resetHandler() { send(kHandlerReset, 0, 0); }

std::string HandlerDial::connectionName() { return rasName(); }

std::string HandlerDial::nameWindowText() {
    std::vector<char> text(kNameTextSize + 1, '\0');
    GetWindowTextA(name_, text.data(), static_cast<int>(text.size()));
    return text.data();
}

bool HandlerDial::abortRequested() { return abortFlag() != 0; }

void HandlerDial::sleepOneSecond() { Sleep(1000); }

bool HandlerDial::pumpMessages() { return !dispatchWaitingMessages(); }

void HandlerDial::statusLine(const std::string& text, bool logged) { dialStatusLine(status_, text, logged); }

}  // namespace util
