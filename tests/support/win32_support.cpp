#include "support/win32_support.h"

#include <cstdio>
#include <cstring>
#include <map>

namespace testing_support {

ScratchDir::ScratchDir(const std::string& tag) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%sutil-%s-%lu-%u", temp, tag.c_str(), GetCurrentProcessId(), counter++);
        if (CreateDirectoryA(name, nullptr)) {
            path_ = name;
            return;
        }
    }
}

ScratchDir::~ScratchDir() { removeTree(path_); }

void removeTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string full = path + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) removeTree(full);
            else {
                SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(full.c_str());
            }
        } while (FindNextFileA(find, &found));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

bool writeFile(const std::string& path, const std::string& bytes) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD put = 0;
    BOOL ok = WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &put, nullptr);
    CloseHandle(f);
    return ok && put == bytes.size();
}

std::string readFile(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE) return {};
    std::string bytes;
    char chunk[65536];
    DWORD got = 0;
    while (ReadFile(f, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    CloseHandle(f);
    return bytes;
}

bool fileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

long long fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::string exeFolder() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of('\\'));
}

namespace {

struct EnumFilter {
    std::string className;
    std::string title;
    std::vector<HWND> found;
};

BOOL CALLBACK collect(HWND window, LPARAM lParam) {
    auto* filter = reinterpret_cast<EnumFilter*>(lParam);
    char cls[256] = {}, text[512] = {};
    GetClassNameA(window, cls, sizeof cls);
    GetWindowTextA(window, text, sizeof text);
    if ((filter->className.empty() || filter->className == cls) && (filter->title.empty() || filter->title == text))
        filter->found.push_back(window);
    return TRUE;
}

std::map<UINT_PTR, std::function<void()>>& pending() {
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

void CALLBACK fire(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto it = pending().find(id);
    if (it == pending().end()) return;
    auto action = std::move(it->second);
    pending().erase(it);
    action();
}

}  // namespace

TestWindow::TestWindow(Handler handler, HWND parent, DWORD style, const char* title) : handler_(std::move(handler)) {
    static const ATOM windowClass = [] {
        WNDCLASSA c{};
        c.lpfnWndProc = proc;
        c.hInstance = GetModuleHandleA(nullptr);
        c.lpszClassName = "TestWindow";
        return RegisterClassA(&c);
    }();
    hwnd_ = CreateWindowA(MAKEINTATOM(windowClass), title, style, 0, 0, 400, 300, parent, nullptr,
                          GetModuleHandleA(nullptr), this);
}

TestWindow::~TestWindow() {
    if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

LRESULT CALLBACK TestWindow::proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<TestWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && self->handler_ && self->handler_(window, message, wParam, lParam)) return 0;
    return DefWindowProcA(window, message, wParam, lParam);
}

std::vector<HWND> threadWindows(const std::string& className, const std::string& title) {
    EnumFilter filter{className, title, {}};
    EnumThreadWindows(GetCurrentThreadId(), collect, reinterpret_cast<LPARAM>(&filter));
    return filter.found;
}

HWND findThreadWindow(const std::string& className, const std::string& title) {
    auto found = threadWindows(className, title);
    return found.empty() ? nullptr : found.front();
}

void runLater(UINT milliseconds, std::function<void()> action) {
    UINT_PTR id = SetTimer(nullptr, 0, milliseconds, fire);
    pending()[id] = std::move(action);
}

void pumpFor(DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= milliseconds) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, milliseconds - elapsed, QS_ALLINPUT);
    }
}

bool waitUntil(const std::function<bool()>& check, DWORD milliseconds) {
    DWORD start = GetTickCount();
    for (;;) {
        if (check()) return true;
        if (GetTickCount() - start >= milliseconds) return check();
        pumpFor(20);
    }
}

ProcessResult runProcess(const std::string& commandLine, const std::vector<std::string>& extraEnvironment,
                         DWORD timeoutMs) {
    ProcessResult result;
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return result;
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    // The environment block: ours, then the extra entries (later wins).
    std::string block;
    char* env = GetEnvironmentStringsA();
    for (char* p = env; *p; p += std::strlen(p) + 1) {
        std::string entry = p;
        bool overridden = false;
        for (const auto& extra : extraEnvironment) {
            auto eq = extra.find('=');
            if (entry.compare(0, eq + 1, extra, 0, eq + 1) == 0) overridden = true;
        }
        if (!overridden) block += entry + '\0';
    }
    FreeEnvironmentStringsA(env);
    for (const auto& extra : extraEnvironment) block += extra + '\0';
    block += '\0';

    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string line = commandLine;
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, 0, block.data(), nullptr, &startup,
                                  &process);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return result;
    }
    char chunk[4096];
    DWORD got = 0;
    DWORD start = GetTickCount();
    for (;;) {
        DWORD available = 0;
        if (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
            if (ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0) result.output.append(chunk, got);
            continue;
        }
        if (WaitForSingleObject(process.hProcess, 20) == WAIT_OBJECT_0) {
            while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
                   ReadFile(readEnd, chunk, sizeof chunk, &got, nullptr) && got > 0)
                result.output.append(chunk, got);
            break;
        }
        if (GetTickCount() - start > timeoutMs) {
            TerminateProcess(process.hProcess, 0xDEAD);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    CloseHandle(readEnd);
    return result;
}

}  // namespace testing_support
