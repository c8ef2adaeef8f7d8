// Host commands for the mailbox viewer and the accounts dialog.
#include <cstdio>

#include "commands.h"

namespace host {
namespace {

// Opens the viewer and runs a message loop for it (keyboard messages go
// through the dialog manager) until it is closed or the time is up; the
// viewer is rescanned once a second, as the server does when its folders
// change.
int viewerCmd(Host& h, const Args& a) {
    HWND viewer = h.library.get<decltype(&ShowMailWindow)>("ShowMailWindow")(h.main);
    std::printf("viewer: %s\n", viewer ? "open" : "failed");
    auto refresh = h.library.get<decltype(&RefreshView)>("RefreshView");
    const DWORD end = GetTickCount() + static_cast<DWORD>(toInt(a[0]));
    DWORD nextRescan = GetTickCount() + 1000;
    while (viewer && IsWindow(viewer) && static_cast<LONG>(end - GetTickCount()) > 0) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (IsDialogMessageA(viewer, &msg)) continue;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (static_cast<LONG>(GetTickCount() - nextRescan) >= 0) {
            refresh();
            nextRescan += 1000;
        }
    }
    std::printf("viewer: %s\n", viewer && IsWindow(viewer) ? "still open" : "closed");
    return 0;
}

int accountsCmd(Host& h, const Args&) {
    std::printf("accounts: %d\n", h.library.get<decltype(&ShowMboxConfig)>("ShowMboxConfig")(h.main));
    return 0;
}

const Command mailboxCommands[] = {
    {"viewer", 1, "MILLISECONDS: ShowMailWindow, RefreshView every second until closed or the time is up", viewerCmd},
    {"accounts", 0, "ShowMboxConfig (\"Mailbox Details\")", accountsCmd},
};
HOST_COMMANDS(mailboxCommands);

}  // namespace
}  // namespace host
