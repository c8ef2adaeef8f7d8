// Resource numbers fixed by the system, and control ids (1000 upward),
// shared by utilities.rc and the code.
#pragma once

// Cursors, icons, bitmaps
#define IDC_HAND_LINK 105

// Administration windows and the tray icon
#include "admin_ids.h"
