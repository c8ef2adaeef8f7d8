// The tooltip engine every dialog of the library shares. A window registers
// with a parent depth: a control whose parent chain reaches the window in
// that many steps gets tips, asked for with the tip request 0x0C01. A 500 ms
// thread timer polls the cursor; after the hover time over one control the
// tip appears in a small "ms-tip" window beside the cursor.
#pragma once

#include <windows.h>

namespace ui {

// Adds a registration; see RegisterForTips.
int registerForTips(HWND window, unsigned depth, int mode);
// Removes the window's first registration; see UnregisterForTips.
int unregisterForTips(HWND window);

}  // namespace ui
