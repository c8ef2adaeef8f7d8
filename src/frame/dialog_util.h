// Small helpers shared by the library's dialogs.
#pragma once

#include <windows.h>

namespace util {

// Places the window at the centre of the screen.
void centreOnScreen(HWND window);

}  // namespace util
