// Host commands for the library frame and the event log.
#include <cstdio>

#include "commands.h"

namespace host {
namespace {

int logCmd(Host& h, const Args& a) {
    h.library.get<decltype(&LogEvent)>("LogEvent")(a[0].c_str(), toInt(a[1]));
    return 0;
}

int stringOutCmd(Host& h, const Args& a) {
    h.library.get<decltype(&StringOut)>("StringOut")(h.eventList, a[0].c_str());
    return 0;
}

int tzCmd(Host& h, const Args&) {
    char offset[16] = {};
    int n = h.library.get<decltype(&GetTZOffset)>("GetTZOffset")(offset);
    std::printf("tz: %s (%d)\n", offset, n);
    return 0;
}

int winverCmd(Host& h, const Args&) {
    int major = 0, minor = 0;
    h.library.get<decltype(&GetWinFull)>("GetWinFull")(&major, &minor);
    std::printf("winver: %d.%d (major %d, minor %d)\n", major, minor,
                h.library.get<decltype(&GetWinMajor)>("GetWinMajor")(),
                h.library.get<decltype(&GetWinMinor)>("GetWinMinor")());
    return 0;
}

int msgboxCmd(Host& h, const Args& a) {
    int button = h.library.get<decltype(&DoMsgBox)>("DoMsgBox")(h.main, a[0].c_str(), toInt(a[1]));
    std::printf("msgbox: %d\n", button);
    return 0;
}

int helpInstalledCmd(Host& h, const Args&) {
    std::printf("helpinstalled: %d\n", h.library.get<decltype(&IsHelpInstalled)>("IsHelpInstalled")());
    return 0;
}

int helpCmd(Host& h, const Args&) {
    int window = h.library.get<decltype(&RunHelp)>("RunHelp")(h.main);
    std::printf("help: %s\n", window ? "opened" : "failed");
    return 0;
}

int runCmd(Host& h, const Args& a) {
    std::printf("run: %d\n", h.library.get<decltype(&RunApp)>("RunApp")(h.main, a[0].c_str(), a[1].c_str()));
    return 0;
}

int cryptCmd(Host& h, const Args& a) {
    std::string out(a[1].size() + 1, '\0');
    h.library.get<decltype(&Crypt)>("Crypt")(a[0].c_str(), a[1].c_str(), out.data(), toInt(a[2]));
    std::printf("crypt: %s\n", out.c_str());
    return 0;
}

int uniqueNameCmd(Host& h, const Args& a) {
    char name[260] = {};
    h.library.get<decltype(&UniqueFileName)>("UniqueFileName")(a[0].c_str(), name, a[1].c_str());
    std::printf("uniquename: %s\n", name);
    return 0;
}

int listFilesCmd(Host& h, const Args& a) {
    char name[260] = {};
    HANDLE listing = nullptr;
    int more = h.library.get<decltype(&ListFiles)>("ListFiles")(a[0].c_str(), name, &listing);
    auto next = h.library.get<decltype(&NextListFile)>("NextListFile");
    while (more) {
        std::printf("file: %s\n", name);
        more = next(&listing, name);
    }
    h.library.get<decltype(&EndListFile)>("EndListFile")(listing);
    return 0;
}

int waitCmd(Host&, const Args& a) {
    pumpFor(static_cast<DWORD>(toInt(a[0])));
    return 0;
}

// Whole sessions are timed between two stopwatch commands: the first
// starts it, each later one prints the milliseconds since the one before.
int stopwatchCmd(Host&, const Args&) {
    static LARGE_INTEGER last{};
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    if (last.QuadPart != 0)
        std::printf("stopwatch: %.1f ms\n",
                    1000.0 * static_cast<double>(now.QuadPart - last.QuadPart) / static_cast<double>(frequency.QuadPart));
    last = now;
    return 0;
}

const Command frameCommands[] = {
    {"log", 2, "TEXT CATEGORY: LogEvent", logCmd},
    {"stringout", 1, "TEXT: StringOut into the event list", stringOutCmd},
    {"tz", 0, "GetTZOffset", tzCmd},
    {"winver", 0, "GetWinFull, GetWinMajor, GetWinMinor", winverCmd},
    {"msgbox", 2, "TEXT MODE: DoMsgBox (mode 1: Yes and No)", msgboxCmd},
    {"helpinstalled", 0, "IsHelpInstalled", helpInstalledCmd},
    {"help", 0, "RunHelp", helpCmd},
    {"run", 2, "FILE PARAMETERS: RunApp", runCmd},
    {"crypt", 3, "KEY TEXT SCRAMBLE: Crypt (1 scrambles, 0 unscrambles)", cryptCmd},
    {"uniquename", 2, "FOLDER EXT: UniqueFileName", uniqueNameCmd},
    {"listfiles", 1, "PATTERN: ListFiles, NextListFile, EndListFile", listFilesCmd},
    {"wait", 1, "MILLISECONDS: pump the message loop", waitCmd},
    {"stopwatch", 0, "print the milliseconds since the last stopwatch (the first starts it)", stopwatchCmd},
};
HOST_COMMANDS(frameCommands);

}  // namespace
}  // namespace host
