// A static text drawn and used as a link: the hand cursor over it, and a
// left click asks the shell to open its target.
#pragma once

#include <windows.h>

namespace ui {

// Turns the static control into a link to target (a web address or a
// mailto: address). The target string must outlive the control.
void makeLinkStatic(HWND control, const char* target);

}  // namespace ui
