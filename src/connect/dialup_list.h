// The machine's dial-up entries, for the dial-up page and the wizard.
#pragma once

#include <windows.h>

namespace util {

// Adds every dial-up entry to the combo box: from the registry on the
// Windows 95 family, through the handler (WM_USER + 8) on NT; nothing on
// other platforms.
void listDialUpConnections(HWND combo);

// The same for a given platform id (1: Windows 95 family, 2: NT).
void listDialUpConnectionsOn(DWORD platformId, HWND combo);

// Adds the subkeys of the current user's RemoteAccess\Profile to the combo
// box (when there is one). Returns 0 when the key is absent, -1 after
// listing it.
int addRegistryProfiles(HWND combo);

}  // namespace util
