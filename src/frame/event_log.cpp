// The event list, the event log file and the status window.
#include "frame/event_log.h"

#include <windows.h>

#include <string>

#include "frame/event_line.h"
#include "frame/export_guard.h"
#include "frame/frame_state.h"
#include "frame/message_pump.h"
#include "frame/profile.h"
#include "utilities.h"

namespace util {
namespace {

// The list never holds more than this many lines.
constexpr LRESULT kMaxListLines = 500;

// The log file is trimmed to its tail once it grows past the limit.
constexpr DWORD kLogTrimAbove = 0x80000;
constexpr DWORD kLogKeep = 32768;
constexpr DWORD kCopyChunk = 4096;

HANDLE openLog(const std::string& path) {
    return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr,
                       OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

// Keeps the last 32 KiB of the log through a copy. Returns the reopened
// log, or INVALID_HANDLE_VALUE when this event is lost.
HANDLE trimLog(HANDLE log, const std::string& path) {
    std::string copyPath = eventLogPathFor(frameState().installFolder, true);
    HANDLE copy = CreateFileA(copyPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (copy == INVALID_HANDLE_VALUE) {
        CloseHandle(log);
        return INVALID_HANDLE_VALUE;
    }
    SetFilePointer(log, -static_cast<LONG>(kLogKeep), nullptr, FILE_END);
    char chunk[kCopyChunk];
    DWORD got = 0;
    while (ReadFile(log, chunk, sizeof chunk, &got, nullptr) && got > 0) {
        DWORD put = 0;
        WriteFile(copy, chunk, got, &put, nullptr);
    }
    CloseHandle(copy);
    CloseHandle(log);
    DeleteFileA(path.c_str());
    MoveFileA(copyPath.c_str(), path.c_str());
    return openLog(path);
}

void addListLine(std::string_view text, int category) {
    FrameState& s = frameState();
    HWND list = s.eventList;
    if (!list) return;

    if (SendMessageA(list, LB_GETCOUNT, 0, 0) > kMaxListLines) SendMessageA(list, LB_DELETESTRING, 0, 0);

    std::string line = eventListLine(text.substr(0, kMaxEventLine), localTimeNow());
    LRESULT index = SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
    SendMessageA(GetParent(list), UTIL_MSG_EVENT, static_cast<WPARAM>(index), category);

    if (s.itemHeight == 0) {
        RECT item{};
        if (SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
            s.itemHeight = item.bottom - item.top + 1;
    }
    if (s.itemHeight <= 0) return;
    RECT client{};
    GetClientRect(list, &client);
    LRESULT visible = (client.bottom - client.top + 1) / s.itemHeight;
    LRESULT count = SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count > visible) SendMessageA(list, LB_SETTOPINDEX, static_cast<WPARAM>(count - visible), 0);
}

}  // namespace

LocalTime localTimeNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    LocalTime t;
    t.year = now.wYear;
    t.month = now.wMonth;
    t.day = now.wDay;
    t.hour = now.wHour;
    t.minute = now.wMinute;
    t.second = now.wSecond;
    t.weekday = now.wDayOfWeek;
    t.millisecond = now.wMilliseconds;
    return t;
}

void logFileOnly(std::string_view text) {
    if (read(cfg::kEventLogUse) == 0) return;
    std::string path = eventLogPathFor(frameState().installFolder, false);
    HANDLE log = openLog(path);
    if (log == INVALID_HANDLE_VALUE) return;
    if (GetFileSize(log, nullptr) > kLogTrimAbove) {
        log = trimLog(log, path);
        if (log == INVALID_HANDLE_VALUE) return;
    }
    SetFilePointer(log, 0, nullptr, FILE_END);
    std::string line = eventFileLine(text, localTimeNow());
    DWORD put = 0;
    WriteFile(log, line.data(), static_cast<DWORD>(line.size()), &put, nullptr);
    CloseHandle(log);
}

int pumpMessages() { return dispatchWaitingMessages() ? 1 : 0; }

int logEvent(std::string_view text, int category) {
    addListLine(text, category);
    logFileOnly(text);
    return pumpMessages();
}

void statusOut(std::string_view text) {
    if (text.empty()) return;
    std::string copy(text);
    if (HWND status = frameState().statusWindow)
        SendMessageA(status, UTIL_MSG_STATUS, 1, reinterpret_cast<LPARAM>(copy.c_str()));
    logEvent(copy, UTIL_EVENT_TRANSPORT);
}

}  // namespace util

using namespace util;

extern "C" {

void UTILAPI SetLoghWnd(HWND eventList, HWND statusWindow) {
    FrameState& s = frameState();
    s.eventList = eventList;
    s.statusWindow = statusWindow;
}

int UTILAPI LogEvent(const char* text, int category) {
    return guarded(0, [&] { return logEvent(orEmpty(text), category); });
}

void UTILAPI StringOut(HWND listBox, const char* text) {
    guarded([&] {
        if (!listBox || !text || !*text) return;
        LRESULT count = SendMessageA(listBox, LB_GETCOUNT, 0, 0);
        if (count > kMaxListLines) SendMessageA(listBox, LB_DELETESTRING, 0, 0);
        // The caller's text is cut at its first line break; the cut is made
        // on a copy, since the text may live in read-only memory.
        std::string_view view(text);
        view = view.substr(0, view.find('\n'));
        view = view.substr(0, view.find('\r'));
        std::string line(view);
        SendMessageA(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));

        RECT window{};
        GetWindowRect(listBox, &window);
        LRESULT height = window.bottom - window.top + 1;
        LRESULT itemHeight = SendMessageA(listBox, LB_GETITEMHEIGHT, 0, 0);
        if (height > 0 && itemHeight > 0) {
            LRESULT rows = height / itemHeight;
            if (count >= rows) SendMessageA(listBox, LB_SETTOPINDEX, static_cast<WPARAM>(count - rows + 2), 0);
        }
    });
}

}  // extern "C"
