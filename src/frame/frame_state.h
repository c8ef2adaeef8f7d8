// Process-wide state of the library frame: one copy per process, set by
// the entry point, SetPath and SetLoghWnd. The library is called from one
// thread at a time, so nothing here is guarded.
#pragma once

#include <windows.h>

#include "frame/paths.h"

namespace util {

// A unique spool name handed out, remembered so that the next one for the
// same folder, extensions and second starts after it instead of trying
// every number from 0 again (each name is still checked to be free).
struct SpoolSequence {
    char folderAndStamp[kMaxPath + 64];
    int number;
};
inline constexpr int kSpoolSequences = 4;

struct FrameState {
    HINSTANCE module;                 // the library's own instance (dialogs, icons)
    char installFolder[kMaxPath];     // as given to SetPath
    char configPath[kMaxConfigPath];  // ms.ini, fixed at its first use
    bool configPathBuilt;
    HWND eventList;                   // 0: no on-screen event list
    HWND statusWindow;                // 0: status texts only logged
    int itemHeight;                   // event list line height, measured once
    SpoolSequence spoolSequences[kSpoolSequences];  // the last few folders, most recent first
};

// Zero-initialised, no constructor: safe to touch under the loader lock.
FrameState& frameState();

}  // namespace util
