#include "ui/common_dialogs.h"

#include <commdlg.h>
#include <shlobj.h>

namespace ui {

std::optional<std::string> chooseFileToOpen(HWND owner, const OpenFileOptions& options) {
    char path[MAX_PATH] = {};
    options.initialName.copy(path, sizeof path - 1);
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = options.filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = sizeof path;
    ofn.lpstrInitialDir = options.initialFolder.empty() ? nullptr : options.initialFolder.c_str();
    ofn.lpstrTitle = options.title;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!GetOpenFileNameA(&ofn)) return std::nullopt;
    return std::string(path);
}

namespace {

struct FolderLook {
    const char* caption;
    const char* button;
};

int CALLBACK folderChooserShown(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message != BFFM_INITIALIZED) return 0;
    const auto* look = reinterpret_cast<const FolderLook*>(data);
    if (look->caption) SetWindowTextA(window, look->caption);
    if (look->button) SetDlgItemTextA(window, IDOK, look->button);
    return 0;
}

}  // namespace

std::optional<std::string> chooseFolder(HWND owner, const char* title, const char* caption, const char* button) {
    char display[MAX_PATH] = {};
    FolderLook look{caption, button};
    BROWSEINFOA info{};
    info.hwndOwner = owner;
    info.pszDisplayName = display;
    info.lpszTitle = title;
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    info.lpfn = folderChooserShown;
    info.lParam = reinterpret_cast<LPARAM>(&look);
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    bool ok = SHGetPathFromIDListA(chosen, path) != FALSE;
    // The shell's allocator frees the item list (no COM library needed).
    IMalloc* allocator = nullptr;
    if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
        allocator->Free(chosen);
        allocator->Release();
    }
    if (!ok) return std::nullopt;
    return std::string(path);
}

}  // namespace ui
