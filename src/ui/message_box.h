// The library's message boxes: every window shows its errors, warnings and
// questions through this one call, with the titles and icons the windows
// agree on.
#pragma once

#include <windows.h>

#include <string>

namespace ui {

// The platform's box owned by owner; returns the button that closed it.
int messageBox(HWND owner, const std::string& text, const char* title, UINT flags);

// "Error" with the stop icon.
inline void showError(HWND owner, const std::string& text) { messageBox(owner, text, "Error", MB_OK | MB_ICONSTOP); }
// "Warning" with the exclamation icon.
inline void showWarning(HWND owner, const std::string& text) {
    messageBox(owner, text, "Warning", MB_OK | MB_ICONEXCLAMATION);
}
// A question with Yes and No; true for Yes.
inline bool askYesNo(HWND owner, const std::string& text, const char* title, UINT icon) {
    return messageBox(owner, text, title, MB_YESNO | icon) == IDYES;
}

// Opens a topic of the help file through "hh.exe" (RunApp), owned by owner.
void openHelpTopic(HWND owner, const char* topic);

}  // namespace ui
