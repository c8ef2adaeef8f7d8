// SetPath, the configuration path, the platform version and the time zone.
#include "frame/install_folder.h"

#include <windows.h>

#include <cstring>

#include "frame/export_guard.h"
#include "frame/frame_state.h"
#include "frame/tz_offset.h"
#include "utilities.h"

namespace util {

std::string installFolder() { return frameState().installFolder; }

std::string installFile(std::string_view tail) { return installPath(frameState().installFolder, tail); }

std::string configPath() {
    FrameState& s = frameState();
    if (!s.configPathBuilt) {
        copyToBuffer(configPathFor(s.installFolder), s.configPath, sizeof s.configPath);
        s.configPathBuilt = true;
    }
    return s.configPath;
}

bool pathExists(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE) return false;
    bool any = false;
    do {
        if (std::strcmp(found.cFileName, ".") != 0 && std::strcmp(found.cFileName, "..") != 0) {
            any = true;
            break;
        }
    } while (FindNextFileA(find, &found));
    FindClose(find);
    return any;
}

}  // namespace util

using namespace util;

extern "C" {

int UTILAPI SetPath(const char* folder) {
    return guarded(0, [&] {
        FrameState& s = frameState();
        // A folder that does not fit is refused whole, the folder before
        // kept: a cut one would name another folder (its parent, say), and
        // ms.ini, the mailboxes and the queues would be looked for there.
        const char* given = orEmpty(folder);
        if (strnlen(given, sizeof s.installFolder) == sizeof s.installFolder) return 0;
        copyToBuffer(given, s.installFolder, sizeof s.installFolder);
        return SetCurrentDirectoryA(s.installFolder) ? 1 : 0;
    });
}

int UTILAPI GetWinMajor(void) {
    return guarded(0, [] { return static_cast<int>(LOBYTE(LOWORD(GetVersion()))); });
}

int UTILAPI GetWinMinor(void) {
    return guarded(0, [] { return static_cast<int>(HIBYTE(LOWORD(GetVersion()))); });
}

int UTILAPI GetWinFull(int* major, int* minor) {
    return guarded(-1, [&] {
        DWORD version = GetVersion();
        if (major) *major = LOBYTE(LOWORD(version));
        if (minor) *minor = HIBYTE(LOWORD(version));
        return -1;
    });
}

int UTILAPI GetTZOffset(char* buffer) {
    return guarded(0, [&] {
        TIME_ZONE_INFORMATION zone{};
        DWORD answer = GetTimeZoneInformation(&zone);
        TzPeriod period = answer == TIME_ZONE_ID_STANDARD   ? TzPeriod::Standard
                          : answer == TIME_ZONE_ID_DAYLIGHT ? TzPeriod::Daylight
                          : answer == TIME_ZONE_ID_UNKNOWN  ? TzPeriod::Unknown
                                                            : TzPeriod::Failed;
        std::string text = formatTzOffset(tzOffsetHours(period, zone.Bias, zone.DaylightBias));
        if (!buffer) return 0;
        // The caller's buffer holds at least 6 bytes: "+0000" and its terminator.
        copyToBuffer(text, buffer, 6);
        return static_cast<int>(std::strlen(buffer));
    });
}

}  // extern "C"
