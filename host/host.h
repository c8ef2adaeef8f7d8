// The host program: loads utilities.dll the way the mail server does, lends
// it an event list and a status window, and calls its exports on command.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "utilities.h"

namespace host {

// The exports the host calls, looked up by their plain names.
struct Library {
    HMODULE module = nullptr;
    FARPROC find(const char* name) const;
    template <typename Fn>
    Fn get(const char* name) const { return reinterpret_cast<Fn>(reinterpret_cast<void*>(find(name))); }
};

struct Host {
    Library library;
    std::string installDir;
    HWND main = nullptr;
    HWND eventList = nullptr;
    HWND status = nullptr;
};

// Runs the commands on the command line, one after another. Returns the
// process exit code: 0 when every command ran, 2 for a usage error.
int runCommands(Host& host, const std::vector<std::string>& args);

// Pumps the thread's messages for the given time.
void pumpFor(DWORD milliseconds);

}  // namespace host
