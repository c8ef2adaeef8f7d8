// The "Enter Information" prompt (dialog 220): one line of input, opened
// centred with the initial text selected and the focus in the edit.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace ui {

struct PromptOptions {
    std::string question;   // up to 255 characters are shown
    std::string initial;    // up to 1023 characters, selected at start
    int maxLength = 512;    // the longest input accepted
    bool password = false;  // the input is masked
};

// The text entered on OK (possibly empty); nothing on Cancel.
std::optional<std::string> prompt(HWND owner, const PromptOptions& options);

}  // namespace ui
