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

}  // namespace

LocalAddresses localAddresses(const char* socketsLibrary) {
    LocalAddresses result;
    std::vector<std::string>& addresses = result.addresses;
    HMODULE library = LoadLibraryA(socketsLibrary);
    if (!library) {
        result.error = "You do not have TCP networking installed. Please install TCP and try again...";
        return result;
    }
    auto startup = lookUp<StartupFn>(library, "WSAStartup");
    auto cleanup = lookUp<CleanupFn>(library, "WSACleanup");
    auto hostName = lookUp<HostNameFn>(library, "gethostname");
    auto hostByName = lookUp<HostByNameFn>(library, "gethostbyname");
    auto ntoa = lookUp<NtoaFn>(library, "inet_ntoa");
    if (!startup || !cleanup || !hostName || !hostByName || !ntoa) {
        result.error = "Error - you do not have TCP networking installed. Please install TCP and try again...";
        FreeLibrary(library);
        return result;
    }
    WSADATA data;
    if (startup(MAKEWORD(1, 1), &data) != 0) {
        result.error = "Error - your TCP networking returned an error. Please re-install TCP and try again...";
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
    return result;
}

}  // namespace util
