// Opening programs, documents and the help file through the shell.
#include <windows.h>
#include <shellapi.h>

#include <string>

#include "frame/export_guard.h"
#include "frame/help_topics.h"
#include "frame/install_folder.h"
#include "frame/paths.h"
#include "utilities.h"

namespace util {
namespace {

// The help viewer's ANSI entry point: owner, file, command, data.
using HtmlHelpFn = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);
constexpr UINT kHelpDisplayTopic = 0;
constexpr WORD kHtmlHelpOrdinal = 14;

struct HelpViewer {
    HtmlHelpFn entry;
    bool failed;
};
constinit HelpViewer viewer{};

// Loads the viewer's library once per process: its registered path first,
// then by name. A failure is remembered.
HtmlHelpFn helpEntry() {
    if (viewer.entry || viewer.failed) return viewer.entry;
    HMODULE library = nullptr;
    char path[kMaxPath] = {};
    LONG size = sizeof path;
    if (RegQueryValueA(HKEY_CLASSES_ROOT, "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
                       path, &size) == ERROR_SUCCESS && path[0])
        library = LoadLibraryA(path);
    if (!library) library = LoadLibraryA("hhctrl.ocx");
    if (library)
        viewer.entry = reinterpret_cast<HtmlHelpFn>(
            reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(kHtmlHelpOrdinal))));
    if (!viewer.entry) viewer.failed = true;
    return viewer.entry;
}

int shellOpen(HWND window, const char* file, const char* parameters) {
    HINSTANCE result = ShellExecuteA(window, "open", file, parameters, "", SW_SHOW);
    return static_cast<int>(reinterpret_cast<INT_PTR>(result));
}

bool fileInFolder(const std::string& folder, const char* name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '\\') path += '\\';
    path += name;
    return pathExists(path);
}

}  // namespace
}  // namespace util

using namespace util;

extern "C" {

int UTILAPI RunApp(HWND window, const char* file, const char* parameters) {
    return guarded(0, [&] { return shellOpen(window, orEmpty(file), orEmpty(parameters)); });
}

int UTILAPI OpenBrowser(HWND window, const char* target) {
    return guarded(0, [&] { return shellOpen(window, orEmpty(target), ""); });
}

int UTILAPI RunHelp(HWND window) {
    return guarded(0, [&] {
        HtmlHelpFn entry = helpEntry();
        if (!entry) return 0;
        std::string file = installFile(std::string("\\") + help::kFile);
        HWND help = entry(window, file.c_str(), kHelpDisplayTopic, 0);
        return static_cast<int>(reinterpret_cast<INT_PTR>(help));
    });
}

int UTILAPI IsHelpInstalled(void) {
    return guarded(1, [] {
        if (!pathExists(installFile(std::string("\\") + help::kFile)) || !pathExists(installFile("\\hhupd.exe"))) return 1;
        char folder[kMaxPath];
        UINT n = GetWindowsDirectoryA(folder, sizeof folder);
        if (n > 0 && n < sizeof folder && fileInFolder(folder, "hh.exe")) return 1;
        n = GetSystemDirectoryA(folder, sizeof folder);
        if (n > 0 && n < sizeof folder && fileInFolder(folder, "hh.exe")) return 1;
        return 0;
    });
}

}  // extern "C"
