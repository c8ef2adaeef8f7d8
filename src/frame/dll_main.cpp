// The library's entry point: keeps the module instance every dialog, icon
// and bitmap is loaded from.
#include <windows.h>

#include "frame/frame_state.h"
#include "frame/process_detach.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
    if (reason == DLL_PROCESS_ATTACH) {
        util::frameState().module = instance;
    } else if (reason == DLL_PROCESS_DETACH) {
        util::releaseAtDetach();
    }
    return TRUE;
}
