// Host commands for the administration windows and the tray icon.
#include <cstdio>

#include "commands.h"

namespace host {
namespace {

int configCmd(Host& h, const Args& a) {
    int result = h.library.get<decltype(&ShowMainConfig)>("ShowMainConfig")(h.main, toInt(a[0]));
    std::printf("config: %d\n", result);
    return 0;
}

int passwordCmd(Host& h, const Args&) {
    std::printf("password: %d\n", h.library.get<decltype(&GetPassword)>("GetPassword")(h.main));
    return 0;
}

// Adds the tray icon, lets it run for the given time, and removes it; the
// host's main window passes the icon's notifications on.
int trayCmd(Host& h, const Args& a) {
    int timer = h.library.get<decltype(&CreateTray)>("CreateTray")(h.main);
    std::printf("tray: timer %s\n", timer ? "started" : "failed");
    pumpFor(static_cast<DWORD>(toInt(a[0])));
    h.library.get<decltype(&DeleteTray)>("DeleteTray")(h.main);
    std::printf("tray: removed\n");
    return 0;
}

const Command adminCommands[] = {
    {"config", 1, "PAGE: ShowMainConfig opening on page PAGE (0 to 15)", configCmd},
    {"password", 0, "GetPassword", passwordCmd},
    {"tray", 1, "MILLISECONDS: CreateTray, run, DeleteTray", trayCmd},
};
HOST_COMMANDS(adminCommands);

}  // namespace
}  // namespace host
