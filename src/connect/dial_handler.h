// The dial-up handler program rashand.exe, outside the library: found by
// its window, started through the shell from the install folder, and
// driven with window messages.
#pragma once

#include <windows.h>

#include <string>

#include "connect/dial_session.h"

namespace util {

// Requests understood by the handler's window.
enum HandlerRequest : UINT {
    kHandlerNoteConnection = WM_USER + 1,  // wParam 1: our dial; 0: existing
    kHandlerIsConnected = WM_USER + 3,
    kHandlerHangUp = WM_USER + 4,          // wParam name window
    kHandlerReset = WM_USER + 6,           // after an abandoned dial
    kHandlerDial = WM_USER + 7,            // wParam and lParam name window; 0 = started
    kHandlerListEntries = WM_USER + 8,     // wParam combo box
    kHandlerCancel = WM_USER + 9,          // wParam name window
};

inline constexpr const char* kHandlerClass = "RasHand";
inline constexpr const char* kHandlerTitle = "rashand-main";
inline constexpr const char* kHandlerProgram = "rashand.exe";

// Finds the handler's window, starting the handler when there is none and
// waiting up to ten seconds for its window. Returns the window (also kept
// as the last handler found) or null.
HWND findOrStartHandler();

// The dial platform over the real handler, the caller's name window and
// status window.
class HandlerDial : public DialPlatform {
public:
    HandlerDial(HWND nameWindow, LPARAM handlerParam, HWND statusWindow)
        : name_(nameWindow), param_(handlerParam), status_(statusWindow) {}

    bool findHandler() override;
    bool connectionUp() override;
    void reportConnected(bool ourDial) override;
    bool startDial(const std::string& name) override;
    void hangUp(const std::string& name) override;
    void cancelDial(const std::string& name) override;
    void resetHandler() override;
    std::string connectionName() override;
    std::string nameWindowText() override;
    bool abortRequested() override;
    void sleepOneSecond() override;
    bool pumpMessages() override;
    void statusLine(const std::string& text, bool logged) override;

private:
    LRESULT send(UINT request, WPARAM wParam, LPARAM lParam);

    HWND name_;
    LPARAM param_;
    HWND status_;
};

// The dial-up status line: to the status window (0x401, wParam 1) and,
// when logged, to the event log with the dial-up category.
void dialStatusLine(HWND statusWindow, const std::string& text, bool logged);

// The connection name to dial (`dialup`/`ras`).
std::string rasName();

// Cursors shown while the handler is looked for and a dial runs.
void showCursor(LPCSTR cursor);

}  // namespace util
