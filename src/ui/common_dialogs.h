// The system's own choosers: a file to open and a folder.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

struct OpenFileOptions {
    const char* title = nullptr;   // the chooser's caption; null: the system's
    const char* filter = nullptr;  // "Text files\0*.txt\0All files\0*.*\0\0"
    std::string initialFolder;
    std::string initialName;
};

// The chosen file's full path; nothing when cancelled. The current folder
// is left as it was (the install folder).
std::optional<std::string> chooseFileToOpen(HWND owner, const OpenFileOptions& options);

// The chosen folder; nothing when cancelled. title is the text above the
// folders; caption and button, when given, replace the window's caption
// and its OK button's text.
std::optional<std::string> chooseFolder(HWND owner, const char* title, const char* caption = nullptr,
                                        const char* button = nullptr);

}  // namespace ui
