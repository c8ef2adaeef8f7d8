// An edit whose value changes only through its spin: typing, pasting and
// every key but the up and down arrows (which the spin turns into steps)
// are swallowed.
#pragma once

#include <windows.h>

namespace ui {

void acceptSpinOnly(HWND edit);

}  // namespace ui
