// The mailbox viewer ("Mailbox Viewer", dialog 160): at most one, modeless,
// on the caller's thread. ShowMailWindow and RefreshView stand on these.
#pragma once

#include <windows.h>

#include "ui/modal.h"

namespace monitor {

extern const ui::WindowDefinition kMailViewerWindow;

// Opens the viewer owned by parent, or returns the one already open.
HWND showMailViewer(HWND parent);
// Rescans what the open viewer shows; nothing without one.
void refreshMailViewer();

}  // namespace monitor
