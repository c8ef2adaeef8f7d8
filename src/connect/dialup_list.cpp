#include "connect/dialup_list.h"

#include "connect/dial_handler.h"
#include "frame/export_guard.h"
#include "utilities.h"

namespace util {
namespace {
constexpr const char* kProfileKey = "RemoteAccess\\Profile";
}

int addRegistryProfiles(HWND combo) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProfileKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return 0;
    char name[MAX_PATH];
    for (DWORD index = 0;; ++index) {
        DWORD length = sizeof name;
        if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        if (combo) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name));
    }
    RegCloseKey(key);
    return -1;
}

void listDialUpConnectionsOn(DWORD platformId, HWND combo) {
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) {
        addRegistryProfiles(combo);
    } else if (platformId == VER_PLATFORM_WIN32_NT) {
        if (HWND handler = findOrStartHandler())
            SendMessageA(handler, kHandlerListEntries, reinterpret_cast<WPARAM>(combo), 0);
    }
}

void listDialUpConnections(HWND combo) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    if (!GetVersionExA(&version)) return;
    listDialUpConnectionsOn(version.dwPlatformId, combo);
}

}  // namespace util

extern "C" int UTILAPI GetW95DUNs(HWND combo) {
    return util::guarded(0, [&] { return util::addRegistryProfiles(combo); });
}
