// The machine's own addresses, through wsock32 loaded by name so that a
// machine without TCP networking still runs the pages.
#include "transport/local_addresses.h"

#include <winsock.h>

namespace util {
namespace {

using StartupFn = int(WINAPI*)(WORD, LPWSADATA);
using CleanupFn = int(WINAPI*)();
using HostNameFn = int(WINAPI*)(char*, int);
using HostByNameFn = hostent*(WINAPI*)(const char*);
using NtoaFn = char*(WINAPI*)(in_addr);

template <typename Fn>
Fn lookUp(HMODULE library, const char* name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(library, name)));
}

void stop(HWND owner, const char* text) { MessageBoxA(owner, text, "Error", MB_OK | MB_ICONSTOP); }

}  // namespace

std::vector<std::string> localAddresses(HWND owner, const char* socketsLibrary) {
    std::vector<std::string> addresses;
    HMODULE library = LoadLibraryA(socketsLibrary);
    if (!library) {
        stop(owner, "You do not have TCP networking installed. Please install TCP and try again...");
        return addresses;
    }
    auto startup = lookUp<StartupFn>(library, "WSAStartup");
    auto cleanup = lookUp<CleanupFn>(library, "WSACleanup");
    auto hostName = lookUp<HostNameFn>(library, "gethostname");
    auto hostByName = lookUp<HostByNameFn>(library, "gethostbyname");
    auto ntoa = lookUp<NtoaFn>(library, "inet_ntoa");
    if (!startup || !cleanup || !hostName || !hostByName || !ntoa) {
        stop(owner, "Error - you do not have TCP networking installed. Please install TCP and try again...");
        FreeLibrary(library);
        return addresses;
    }
    WSADATA data;
    if (startup(MAKEWORD(1, 1), &data) != 0) {
        stop(owner, "Error - your TCP networking returned an error. Please re-install TCP and try again...");
    } else {
        char name[511] = {};
        if (hostName(name, sizeof name) != 0) lstrcpyA(name, "localhost");
        if (const hostent* host = hostByName(name)) {
            for (char** address = host->h_addr_list; address && *address; ++address) {
                in_addr a;
                CopyMemory(&a, *address, sizeof a);
                if (const char* dotted = ntoa(a)) addresses.emplace_back(dotted);
            }
        }
        cleanup();
    }
    FreeLibrary(library);
    return addresses;
}

void listLocalAddresses(HWND combo, const char* socketsLibrary) {
    for (const std::string& address : localAddresses(GetParent(combo), socketsLibrary))
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(address.c_str()));
}

}  // namespace util
